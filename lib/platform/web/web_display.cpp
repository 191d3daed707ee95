// The web display: windows and dialogs on the page, changed pixels shown
// before the browser takes its turn, the page's input reported, and the waits.
#include "platform/web/web_display.h"

#include <algorithm>
#include <cmath>

#include "platform/classic_decorations.h"
#include "platform/display_host.h"
#include "platform/system.h"
#include "platform/web/page.h"
#include "platform/web/page_description.h"

namespace kelto::platform {

namespace {

// A program that runs without waiting (playing a script back) still gives
// the browser a turn this often, so its frames are shown and the page stays
// usable.
constexpr double kTurnEveryMs = 50;

}  // namespace

// The classic decorations, as the headless display has them, so a program's
// centre and its pictures are the same here, in the replay runner and in
// the tests. The page draws its own, smaller frame around the canvas.
Rect WebDisplay::client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                 int outer_height) const {
    return ClassicDecorations{}.client_for(style, has_menu, outer_width, outer_height);
}

void WebDisplay::window_created(WindowHandle window) {
    // A dialog is shown when it starts, with its items.
    if (host_->dialog(window)) return;
    const Window *created = host_->window(window);
    if (!created) return;
    page::window_created(window, json_string(created->title), (created->style & WS_THICKFRAME) != 0,
                         (created->style & WS_SYSMENU) != 0);
}

void WebDisplay::window_destroyed(WindowHandle window) {
    changed_.erase(window);
    page::window_destroyed(window);
}

void WebDisplay::window_shown(WindowHandle window, bool visible) {
    page::window_shown(window, visible);
}

void WebDisplay::client_changed(WindowHandle window, const Rect &area) {
    Rect &changed = changed_[window];
    changed = changed.united(area);
}

void WebDisplay::menu_changed(WindowHandle window) {
    page::set_menu_bar(window, describe_menu_bar(*host_, window));
}

void WebDisplay::dialog_started(WindowHandle dialog) {
    const Dialog *running = host_->dialog(dialog);
    if (!running) return;
    page::dialog_started(dialog, running->owner, describe_dialog(*host_, dialog));
}

void WebDisplay::dialog_item_changed(WindowHandle dialog, int item_id) {
    const Dialog *running = host_->dialog(dialog);
    if (!running) return;
    for (const DialogItem &item : running->items)
        if (item.control.id == item_id)
            page::dialog_item_changed(dialog, item_id, json_string(item.control.text));
}

int64_t WebDisplay::now_ms() const {
    return static_cast<int64_t>(std::floor(page::now_ms()));
}

// Waiting for input alone sleeps through timer ticks: they only tell a
// waiting program that time has passed, and the window system owes the one
// tick due when the program wakes. So a halted program costs nothing.
void WebDisplay::wait(std::optional<int64_t> deadline_ms, WaitFor what) {
    present();
    const bool timed = deadline_ms && what == WaitFor::AnyMessage;
    page::wait(timed ? static_cast<double>(*deadline_ms) : -1.0);
    last_turn_ms_ = page::now_ms();
    take_input();
}

void WebDisplay::poll() {
    take_input();
    if (page::now_ms() - last_turn_ms_ < kTurnEveryMs) return;
    present();
    page::give_turn();
    last_turn_ms_ = page::now_ms();
    take_input();
}

void WebDisplay::present() {
    for (auto &[window, changed] : changed_) {
        const Rect area = changed;
        changed = Rect{};
        const Window *shown = host_->window(window);
        if (!shown) continue;
        const Image *image = &shown->image;
        const Rect clipped{std::max(0, area.left), std::max(0, area.top),
                           std::min(image->width, area.right),
                           std::min(image->height, area.bottom)};
        if (!clipped.empty())
            page::present(window, image->pixels.data(), image->width, image->height, clipped);
    }
}

void WebDisplay::take_input() {
    PageInput input;
    while (page::take(input)) report_page_input(*host_, input);
}

std::unique_ptr<Display> make_platform_display() {
    return std::make_unique<WebDisplay>();
}

}  // namespace kelto::platform
