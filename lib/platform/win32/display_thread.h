// The Windows display on a thread of its own: every native window lives and
// gets its messages there, and the program thread, which owns the window
// system, hands it calls through the thread hand-off (platform/threaded/).
#pragma once

#include <memory>

#include "platform/display.h"

namespace kelto::platform {

// Starts the display's thread and makes the display the program uses.
std::unique_ptr<Display> make_display_on_own_thread();

}  // namespace kelto::platform
