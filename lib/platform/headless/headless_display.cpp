// The headless display: decoration model, virtual clock and input injection.
#include "platform/headless/headless_display.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/system.h"

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
    host_->report(Click{window, client_x, client_y});
}

void HeadlessDisplay::key_down(WindowHandle window, unsigned virtual_key, unsigned character,
                               unsigned repeat) {
    host_->report(KeyDown{window, virtual_key, character, repeat});
}

void HeadlessDisplay::key_up(WindowHandle window, unsigned virtual_key) {
    host_->report(KeyUp{window, virtual_key});
}

void HeadlessDisplay::key(WindowHandle window, unsigned virtual_key, unsigned character) {
    key_down(window, virtual_key, character);
    key_up(window, virtual_key);
}

void HeadlessDisplay::menu_command(WindowHandle window, int id) {
    host_->report(MenuCommand{window, id});
}

void HeadlessDisplay::close_box(WindowHandle window) {
    host_->report(CloseRequest{window});
}

void HeadlessDisplay::type_text(WindowHandle window, std::u16string_view text) {
    for (const char16_t unit : text) {
        // Letters and digits have their upper-case ASCII code as virtual key.
        const bool alphanumeric = unit < 0x80 && std::isalnum(unit);
        key(window, alphanumeric ? static_cast<unsigned>(std::toupper(unit)) : 0u, unit);
    }
}

void HeadlessDisplay::press_dialog_button(WindowHandle dialog, int item_id) {
    const Dialog *running = host_->dialog(dialog);
    if (!running) return;
    for (const DialogItem &item : running->items) {
        if (item.control.id != item_id) continue;
        const Rect &r = item.pixels;
        click(dialog, r.left + r.width() / 2, r.top + r.height() / 2);
        return;
    }
}

void HeadlessDisplay::resize(WindowHandle window, int outer_width, int outer_height) {
    const Window *shown = host_->window(window);
    if (!shown) return;
    const Rect &outer = shown->outer;
    host_->report(WindowMoved{
        window, Rect{outer.left, outer.top, outer.left + outer_width, outer.top + outer_height}});
}

void HeadlessDisplay::focus(WindowHandle window) {
    host_->report(FocusChanged{window});
}

HeadlessDisplay &use_headless_display() {
    auto display = std::make_unique<HeadlessDisplay>();
    HeadlessDisplay &headless = *display;
    use_display(std::move(display));
    return headless;
}

}  // namespace kelto::platform
