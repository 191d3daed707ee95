// Client images drawn when they can be seen: a window's owner marks its image
// stale and the window system has it brought up to date before anyone reads
// it, before a wait and at most once per display refresh in between, so work
// that nobody could see is never done.
#include "platform/window_system.h"

namespace kelto::platform {

void WindowSystem::refresh_client(Window &window) {
    // Cleared first: the refresh reads the image through client_image.
    const auto refresh = window.refresh;
    if (refresh == nullptr) return;
    window.refresh = nullptr;
    refresh(window.handle);
}

void WindowSystem::client_stale(WindowHandle handle, void (*refresh)(WindowHandle window)) {
    Window *window = find(handle);
    if (!window || refresh == nullptr) return;
    window->refresh = refresh;
    any_stale_ = true;
    if (display_->shows_every_change(handle)) refresh_client(*window);
}

void WindowSystem::show_stale_clients() {
    if (!any_stale_) return;
    any_stale_ = false;
    for (WindowHandle handle : windows()) {
        Window *window = find(handle);
        if (!window || !window->refresh) continue;
        // A hidden window is brought up to date when it is shown (it is
        // painted then) or read.
        if (window->visible)
            refresh_client(*window);
        else
            any_stale_ = true;
    }
    last_shown_ms_ = display_->now_ms();
}

void WindowSystem::show_stale_clients_when_due() {
    if (!any_stale_) return;
    const int64_t now = display_->now_ms();
    if (last_shown_ms_ && now - *last_shown_ms_ < kShowIntervalMs) return;
    show_stale_clients();
}

}  // namespace kelto::platform
