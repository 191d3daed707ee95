// The headless display as the build's display, in a build without a desktop
// display.
#include <memory>

#include "platform/headless/headless_display.h"
#include "platform/system.h"

namespace kelto::platform {

std::unique_ptr<Display> make_platform_display() {
    return std::make_unique<HeadlessDisplay>();
}

}  // namespace kelto::platform
