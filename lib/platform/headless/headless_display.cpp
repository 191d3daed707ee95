// The headless display: decoration model, virtual clock and input injection.
#include "platform/headless/headless_display.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace kelto::platform {

Rect HeadlessDisplay::client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                      int outer_height) const {
    return decorations_.client_for(style, has_menu, outer_width, outer_height);
}

void HeadlessDisplay::dialog_started(WindowHandle dialog) {
    running_dialogs_.push_back(dialog);
    if (dialog_observer_) dialog_observer_(dialog);
}

void HeadlessDisplay::client_changed(WindowHandle window, const Rect &area) {
    ++client_updates_;
    last_client_areas_[window] = area;
    if (client_observer_) client_observer_(window);
}

namespace {
int64_t steady_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

int64_t HeadlessDisplay::now_ms() const {
    return real_clock_ ? steady_ms() : now_ms_;
}

void HeadlessDisplay::use_real_clock() {
    real_clock_ = true;
}

void HeadlessDisplay::set_screen_size(int width, int height) {
    screen_width_ = std::max(1, width);
    screen_height_ = std::max(1, height);
}

bool HeadlessDisplay::run_due_actions() {
    bool ran = false;
    for (;;) {
        auto due = std::min_element(
            scheduled_.begin(), scheduled_.end(), [](const Scheduled &a, const Scheduled &b) {
                return a.at_ms != b.at_ms ? a.at_ms < b.at_ms : a.order < b.order;
            });
        if (due == scheduled_.end() || due->at_ms > now_ms()) return ran;
        auto action = std::move(due->action);
        scheduled_.erase(due);
        action();
        ran = true;
    }
}

void HeadlessDisplay::wait(std::optional<int64_t> deadline_ms, WaitFor what) {
    ++waits_;
    if (run_due_actions()) return;
    std::optional<int64_t> next = deadline_ms;
    for (const Scheduled &s : scheduled_)
        if (!next || s.at_ms < *next) next = s.at_ms;
    // Input comes only from what is scheduled; timer ticks alone cannot
    // serve a wait for input.
    const bool input_in_vain = what == WaitFor::Input && scheduled_.empty();
    if (!next || input_in_vain) {
        if (starved_) {
            starved_();
            return;
        }
        std::fprintf(stderr,
                     "headless display: the program waits for input, but no input is "
                     "scheduled, so nothing can ever arrive\n");
        std::_Exit(70);
    }
    if (real_clock_)
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::max<int64_t>(0, *next - now_ms())));
    else
        now_ms_ = std::max(now_ms_, *next);
    run_due_actions();
}

void HeadlessDisplay::advance(int64_t ms) {
    now_ms_ += std::max<int64_t>(0, ms);
    run_due_actions();
}

void HeadlessDisplay::after(int64_t at_ms, std::function<void()> action) {
    scheduled_.push_back(Scheduled{at_ms, next_order_++, std::move(action)});
}

void HeadlessDisplay::window_destroyed(WindowHandle window) {
    std::erase(running_dialogs_, window);
}

void HeadlessDisplay::click(WindowHandle window, int client_x, int client_y) {
    if (!windows_->window_enabled(window)) return;
    windows_->post_message(window, WM_LBUTTONDOWN, 1, make_lparam(client_x, client_y));
}

void HeadlessDisplay::key_down(WindowHandle window, unsigned virtual_key, unsigned character,
                               unsigned repeat) {
    if (!windows_->window_enabled(window)) return;
    windows_->post_message(window, WM_KEYDOWN, virtual_key, key_lparam(character, repeat));
}

void HeadlessDisplay::key_up(WindowHandle window, unsigned virtual_key) {
    if (!windows_->window_enabled(window)) return;
    windows_->post_message(window, WM_KEYUP, virtual_key, key_lparam(0));
}

void HeadlessDisplay::key(WindowHandle window, unsigned virtual_key, unsigned character) {
    key_down(window, virtual_key, character);
    key_up(window, virtual_key);
}

void HeadlessDisplay::menu_command(WindowHandle window, int id) {
    if (!windows_->window_enabled(window)) return;
    windows_->post_message(window, WM_COMMAND, static_cast<uintptr_t>(id), 0);
}

void HeadlessDisplay::close_box(WindowHandle window) {
    if (!windows_->window_enabled(window)) return;
    windows_->post_message(window, WM_CLOSE, 0, 0);
}

void HeadlessDisplay::type_text(WindowHandle window, std::u16string_view text) {
    for (const char16_t unit : text) {
        // Letters and digits have their upper-case ASCII code as virtual key.
        const bool alphanumeric = unit < 0x80 && std::isalnum(unit);
        key(window, alphanumeric ? static_cast<unsigned>(std::toupper(unit)) : 0u, unit);
    }
}

void HeadlessDisplay::press_dialog_button(WindowHandle dialog, int item_id) {
    const Dialog *running = windows_->dialog(dialog);
    if (!running) return;
    for (const DialogItem &item : running->items) {
        if (item.control.id != item_id) continue;
        const Rect &r = item.pixels;
        click(dialog, r.left + r.width() / 2, r.top + r.height() / 2);
        return;
    }
}

void HeadlessDisplay::resize(WindowHandle window, int outer_width, int outer_height) {
    if (const Window *w = windows_->find(window))
        windows_->move_window(window, w->outer.left, w->outer.top, outer_width, outer_height);
}

void HeadlessDisplay::focus(WindowHandle window) {
    windows_->set_focus(window);
}

}  // namespace kelto::platform
