// Makes the Win32 display, for code that must not see Windows' headers.
#pragma once

#include <memory>

#include "platform/display.h"

namespace kelto::platform {

std::unique_ptr<Display> make_win32_display();

}  // namespace kelto::platform
