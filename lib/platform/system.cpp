// The process's window system.
#include "platform/system.h"

#include "platform/window_system.h"

namespace kelto::platform {

namespace {

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
    if (!windows) windows = std::make_unique<WindowSystem>(make_platform_display());
    return *windows;
}

void use_display(std::unique_ptr<Display> display) {
    the_window_system() = std::make_unique<WindowSystem>(std::move(display));
}

}  // namespace kelto::platform
