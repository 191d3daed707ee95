// The display a program gets when it does not choose one.
#pragma once

#include <memory>

#include "platform/display.h"

namespace kelto::platform {

std::unique_ptr<Display> make_default_display();

}  // namespace kelto::platform
