// The main thread as the Qt toolkit's thread, for a program that runs on a
// thread of its own (platform/program_thread.h): the program thread asks for
// the toolkit when it makes its display, and parks the toolkit when the
// process ends, so that no toolkit code runs while the process is torn down.
#pragma once

#include <memory>

#include "platform/display.h"

namespace kelto::platform {

// True when the program runs on a thread of its own and has made no Qt
// application of its own: its display then keeps Qt on the main thread.
bool toolkit_on_main_thread();

// Starts Qt on the main thread and makes the Qt display that runs there,
// handed its calls by the program thread.
std::unique_ptr<Display> make_display_on_main_thread();

}  // namespace kelto::platform
