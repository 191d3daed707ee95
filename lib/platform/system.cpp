// The process's window system and the choice of its display.
#include "platform/system.h"

#include <memory>

#include "platform/headless/headless_display.h"
#include "platform/window_system.h"
#ifdef KELTO_WITH_QT
#include "platform/qt/make_qt_display.h"
#endif
#ifdef KELTO_WITH_WIN32
#include "platform/win32/make_win32_display.h"
#endif
#ifdef KELTO_WITH_WEB
#include "platform/web/make_web_display.h"
#endif

namespace kelto::platform {

namespace {

std::unique_ptr<Display> make_default_display() {
#if defined(KELTO_WITH_QT)
    return make_qt_display();
#elif defined(KELTO_WITH_WIN32)
    return make_win32_display();
#elif defined(KELTO_WITH_WEB)
    return make_web_display();
#else
    return std::make_unique<HeadlessDisplay>();
#endif
}

// Lives as long as the process and is never destroyed: the windows and the
// toolkit end with the process instead of in a destructor that would run
// after the toolkit's own globals are gone.
std::unique_ptr<WindowSystem> &the_window_system() {
    static auto *const instance = new std::unique_ptr<WindowSystem>;
    return *instance;
}

}  // namespace

WindowSystem &window_system() {
    std::unique_ptr<WindowSystem> &windows = the_window_system();
    if (!windows) windows = std::make_unique<WindowSystem>(make_default_display());
    return *windows;
}

HeadlessDisplay &use_headless_display() {
    auto display = std::make_unique<HeadlessDisplay>();
    HeadlessDisplay &headless = *display;
    the_window_system() = std::make_unique<WindowSystem>(std::move(display));
    return headless;
}

}  // namespace kelto::platform
