// The display a program gets: the Qt desktop display when the library is
// built with Qt, the headless display otherwise.
#include "platform/default_display.h"

#ifdef KELTO_WITH_QT
#include "platform/qt/make_qt_display.h"
#else
#include "platform/headless/headless_display.h"
#endif

namespace kelto::platform {

std::unique_ptr<Display> make_default_display() {
#ifdef KELTO_WITH_QT
    return make_qt_display();
#else
    return std::make_unique<HeadlessDisplay>();
#endif
}

}  // namespace kelto::platform
