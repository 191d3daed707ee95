// Makes the Qt display, for code that must not see Qt's headers.
#pragma once

#include <memory>

#include "platform/display.h"

namespace kelto::platform {

std::unique_ptr<Display> make_qt_display();

}  // namespace kelto::platform
