// Without a desktop back end built in, programs run on the headless display.
#include "platform/default_display.h"

#include "platform/headless/headless_display.h"

namespace kelto::platform {

std::unique_ptr<Display> make_default_display() {
    return std::make_unique<HeadlessDisplay>();
}

}  // namespace kelto::platform
