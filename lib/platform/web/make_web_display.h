// Makes the web display, for code that must not see the browser's headers.
#pragma once

#include <memory>

#include "platform/display.h"

namespace kelto::platform {

std::unique_ptr<Display> make_web_display();

}  // namespace kelto::platform
