// Classes, windows, the message queue, focus and painting of the window system.
#include "platform/window_system.h"

#include <algorithm>

#include "pixels/pixel_fill.h"

namespace kelto::platform {

WindowSystem::WindowSystem(std::unique_ptr<Display> display) : display_(std::move(display)) {
    display_->attach(*this);
}

// ---------------------------------------------------------------- Classes and windows

bool WindowSystem::register_class(const WindowClass &window_class) {
    if (window_class.procedure == nullptr || classes_.count(window_class.name)) return false;
    classes_.emplace(window_class.name, window_class);
    return true;
}

bool WindowSystem::class_registered(std::string_view name) const {
    return classes_.find(name) != classes_.end();
}

const Window *WindowSystem::find(WindowHandle window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

Window *WindowSystem::find(WindowHandle window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

std::vector<WindowHandle> WindowSystem::windows() const {
    std::vector<WindowHandle> handles;
    for (const auto &[handle, window] : windows_) handles.push_back(handle);
    return handles;
}

// What was owed to the old image is drawn before it is replaced, so the
// owner's record of it stays true.
void WindowSystem::resize_client(Window &window) {
    refresh_client(window);
    const Rect client = display_->client_rect_for(window.style, window.menu != 0,
                                                  window.outer.width(), window.outer.height());
    window.client = Rect{0, 0, std::max(0, client.width()), std::max(0, client.height())};
    window.image = Image(window.client.right, window.client.bottom, window.background);
}

WindowHandle WindowSystem::create_window(std::string_view class_name, std::string_view title,
                                         uint32_t style, int x, int y, int width, int height,
                                         WindowHandle owner) {
    auto cls = classes_.find(class_name);
    if (cls == classes_.end()) return 0;
    const WindowHandle handle = next_window_++;
    Window &window = windows_[handle];
    window.handle = handle;
    window.class_name = cls->second.name;
    window.procedure = cls->second.procedure;
    window.class_style = cls->second.style;
    window.background = cls->second.background;
    window.title = title;
    window.style = style & ~static_cast<uint32_t>(WS_VISIBLE);
    window.outer = Rect{x, y, x + std::max(0, width), y + std::max(0, height)};
    window.owner = owner;
    resize_client(window);
    display_->window_created(handle);
    send_message(handle, WM_CREATE, 0, 0);
    if (const Window *created = find(handle))
        send_message(handle, WM_SIZE, 0,
                     make_lparam(created->client.right, created->client.bottom));
    if ((style & WS_VISIBLE) && is_window(handle)) show_window(handle, SW_SHOW);
    return is_window(handle) ? handle : 0;
}

bool WindowSystem::destroy_window(WindowHandle window) {
    if (!is_window(window)) return false;
    for (WindowHandle owned : windows())
        if (const Window *w = find(owned); w && w->owner == window) destroy_window(owned);
    if (focus_ == window) set_focus(0);
    send_message(window, WM_DESTROY, 0, 0);
    std::erase_if(timers_, [window](const Timer &t) { return t.window == window; });
    std::erase_if(queue_, [window](const Message &m) { return m.window == window; });
    windows_.erase(window);
    display_->window_destroyed(window);
    return true;
}

bool WindowSystem::show_window(WindowHandle handle, int show_command) {
    Window *window = find(handle);
    if (!window) return false;
    const bool was_visible = window->visible;
    const bool visible = show_command != SW_HIDE;
    if (visible == was_visible) return was_visible;
    window->visible = visible;
    if (holding_shows_) {
        // The display still shows what it showed before the first held change.
        const auto held = std::find_if(held_shows_.begin(), held_shows_.end(),
                                       [handle](const HeldShow &h) { return h.window == handle; });
        const bool displayed = held == held_shows_.end() ? was_visible : held->displayed;
        if (held != held_shows_.end()) held_shows_.erase(held);
        held_shows_.push_back(HeldShow{handle, displayed});
    } else {
        display_->window_shown(handle, visible);
    }
    const bool activates = show_command != SW_SHOWNOACTIVATE && show_command != SW_MINIMIZE &&
                           show_command != SW_SHOWMINNOACTIVE && show_command != SW_SHOWNA;
    if (visible) {
        invalidate(handle, true);
        if (activates) set_focus(handle);
    } else if (focus_ == handle) {
        // The focus passes to another visible window of the program, if any.
        WindowHandle next = 0;
        for (const auto &[other, w] : windows_)
            if (w.visible && w.owner == 0) next = other;
        set_focus(next);
    }
    return was_visible;
}

void WindowSystem::hold_shows() {
    holding_shows_ = true;
}

void WindowSystem::release_shows() {
    if (!holding_shows_) return;
    holding_shows_ = false;
    std::vector<WindowHandle> shown;
    for (const HeldShow &held : held_shows_)
        if (const Window *window = find(held.window); window && window->visible != held.displayed) {
            display_->window_shown(held.window, window->visible);
            if (window->visible) shown.push_back(held.window);
        }
    held_shows_.clear();
    for (WindowHandle window : shown)
        if (is_visible(window)) display_->await_placed(window);
}

bool WindowSystem::is_visible(WindowHandle window) const {
    const Window *w = find(window);
    return w && w->visible;
}

void WindowSystem::move_window(WindowHandle handle, int x, int y, int width, int height) {
    Window *window = find(handle);
    if (!window) return;
    const Rect old_client = window->client;
    window->outer = Rect{x, y, x + std::max(0, width), y + std::max(0, height)};
    const Rect client = display_->client_rect_for(window->style, window->menu != 0,
                                                  window->outer.width(), window->outer.height());
    if (client.width() == old_client.width() && client.height() == old_client.height()) return;
    resize_client(*window);
    if (window->class_style & (CS_HREDRAW | CS_VREDRAW)) invalidate(handle, true);
    send_message(handle, WM_SIZE, 0, make_lparam(window->client.right, window->client.bottom));
}

Rect WindowSystem::client_rect(WindowHandle window) const {
    const Window *w = find(window);
    return w ? w->client : Rect{};
}

// ---------------------------------------------------------------- Focus

void WindowSystem::set_focus(WindowHandle window) {
    if (window != 0 && !is_window(window)) return;
    if (window == focus_) return;
    const WindowHandle previous = focus_;
    focus_ = window;
    if (previous && is_window(previous))
        send_message(previous, WM_KILLFOCUS, static_cast<uintptr_t>(window), 0);
    if (window && focus_ == window)
        send_message(window, WM_SETFOCUS, static_cast<uintptr_t>(previous), 0);
}

// ---------------------------------------------------------------- Message queue

bool WindowSystem::post_message(WindowHandle window, unsigned message, uintptr_t wparam,
                                intptr_t lparam) {
    if (window != 0 && !is_window(window)) return false;
    queue_.push_back(Message{window, message, wparam, lparam});
    return true;
}

void WindowSystem::post_quit(int exit_code) {
    quit_code_ = exit_code;
}

bool WindowSystem::peek_message(Message &out) {
    release_shows();
    display_->poll();
    if (!queue_.empty()) {
        out = queue_.front();
        queue_.pop_front();
        return true;
    }
    if (quit_code_) {
        out = Message{0, WM_QUIT, static_cast<uintptr_t>(*quit_code_), 0};
        quit_code_.reset();
        return true;
    }
    for (auto &[handle, window] : windows_) {
        if (window.visible && window.needs_paint) {
            out = Message{handle, WM_PAINT, 0, 0};
            return true;
        }
    }
    const int64_t now = display_->now_ms();
    for (Timer &timer : timers_) {
        if (timer.due_ms <= now) {
            timer.due_ms = now + timer.period_ms;
            out = Message{timer.window, WM_TIMER, timer.id, 0};
            return true;
        }
    }
    return false;
}

void WindowSystem::translate_message(const Message &message) {
    if (message.message != WM_KEYDOWN) return;
    const unsigned character = high_word(message.lparam);
    if (character == 0) return;
    queue_.push_front(Message{message.window, WM_CHAR, character, message.lparam});
}

intptr_t WindowSystem::dispatch_message(const Message &message) {
    if (message.window == 0) return 0;
    return send_message(message.window, message.message, message.wparam, message.lparam);
}

intptr_t WindowSystem::send_message(WindowHandle window, unsigned message, uintptr_t wparam,
                                    intptr_t lparam) {
    const Window *w = find(window);
    if (!w) return 0;
    if (dialogs_.count(window)) return dialog_procedure(window, message, wparam, lparam);
    return w->procedure(window, message, wparam, lparam);
}

intptr_t WindowSystem::default_procedure(WindowHandle window, unsigned message, uintptr_t,
                                         intptr_t) {
    switch (message) {
        case WM_CLOSE: destroy_window(window); return 0;
        case WM_PAINT:
            begin_paint(window);
            end_paint(window);
            return 0;
        default: return 0;
    }
}

bool WindowSystem::message_ready() {
    if (!queue_.empty() || quit_code_) return true;
    for (const auto &[handle, window] : windows_)
        if (window.visible && window.needs_paint) return true;
    const auto deadline = next_timer_deadline();
    return deadline && *deadline <= display_->now_ms();
}

void WindowSystem::wait_message(WaitFor what) {
    release_shows();
    show_stale_clients();
    while (!message_ready()) display_->wait(next_timer_deadline(), what);
}

// ---------------------------------------------------------------- Timers

void WindowSystem::set_timer(WindowHandle window, uintptr_t id, int period_ms) {
    if (!is_window(window)) return;
    period_ms = std::max(period_ms, 10);
    const int64_t due = display_->now_ms() + period_ms;
    for (Timer &timer : timers_) {
        if (timer.window == window && timer.id == id) {
            timer.period_ms = period_ms;
            timer.due_ms = due;
            return;
        }
    }
    timers_.push_back(Timer{window, id, period_ms, due});
}

void WindowSystem::kill_timer(WindowHandle window, uintptr_t id) {
    std::erase_if(timers_, [&](const Timer &t) { return t.window == window && t.id == id; });
}

std::optional<int64_t> WindowSystem::next_timer_deadline() const {
    std::optional<int64_t> next;
    for (const Timer &timer : timers_)
        if (!next || timer.due_ms < *next) next = timer.due_ms;
    return next;
}

// ---------------------------------------------------------------- Painting

void WindowSystem::invalidate(WindowHandle handle, bool erase) {
    Window *window = find(handle);
    if (!window) return;
    window->needs_paint = true;
    window->needs_erase = window->needs_erase || erase;
}

Image *WindowSystem::begin_paint(WindowHandle handle) {
    Window *window = find(handle);
    if (!window) return nullptr;
    refresh_client(*window);
    if (window->needs_erase)
        fill_pixels(window->image.pixels.data(), window->image.pixels.size(), window->background);
    window->needs_paint = false;
    window->needs_erase = false;
    return &window->image;
}

void WindowSystem::end_paint(WindowHandle window) {
    client_changed(window);
}

Image *WindowSystem::client_image(WindowHandle handle) {
    Window *window = find(handle);
    if (!window) return nullptr;
    refresh_client(*window);
    return &window->image;
}

void WindowSystem::client_changed(WindowHandle window) {
    if (const Window *found = find(window))
        display_->client_changed(window, {0, 0, found->image.width, found->image.height});
}

void WindowSystem::client_changed(WindowHandle window, const Rect &area) {
    if (is_window(window)) display_->client_changed(window, area);
}

}  // namespace kelto::platform
