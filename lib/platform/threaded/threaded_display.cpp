// Handing a display's calls to its toolkit thread and its input back.
#include "platform/threaded/threaded_display.h"

#include <algorithm>
#include <utility>

#include "platform/display_host.h"
#include "platform/threaded/grab.h"

namespace kelto::platform {

namespace {

// The part `area` of `image`; what lies outside the image stays 0.
Image copy_of_area(const Image &image, const Rect &area) {
    Image part(area.width(), area.height());
    const int left = std::max(0, area.left);
    const int right = std::min(image.width, area.right);
    const int bottom = std::min(image.height, area.bottom);
    for (int y = std::max(0, area.top); y < bottom && left < right; ++y)
        std::copy_n(image.row(y) + left, right - left, part.row(y - area.top) + (left - area.left));
    return part;
}

// A window's state without its image, which can be large.
Window without_image(const Window &window) {
    Window copy;
    copy.handle = window.handle;
    copy.class_name = window.class_name;
    copy.procedure = window.procedure;
    copy.class_style = window.class_style;
    copy.background = window.background;
    copy.title = window.title;
    copy.style = window.style;
    copy.outer = window.outer;
    copy.client = window.client;
    copy.visible = window.visible;
    copy.needs_paint = window.needs_paint;
    copy.needs_erase = window.needs_erase;
    copy.menu = window.menu;
    copy.owner = window.owner;
    return copy;
}

}  // namespace

ThreadedDisplay::ThreadedDisplay(std::unique_ptr<Display> inner, ToolkitThread toolkit,
                                 std::function<int64_t()> now_ms, std::unique_ptr<PictureGrab> grab)
    : inner_(std::move(inner)),
      toolkit_(std::move(toolkit)),
      hand_off_(std::move(now_ms)),
      calls_(toolkit_.wake),
      mirror_(hand_off_),
      grab_(std::move(grab)) {}

ThreadedDisplay::~ThreadedDisplay() = default;

// ---------------------------------------------------------------- Toolkit thread

void ThreadedDisplay::tick() {
    if (calls_.closed()) return;
    if (hand_off_.stuck_quit_due()) {
        inner_->hint(kStuckQuitHint);
        toolkit_.end_process(kStuckExitStatus);
        return;
    }
    const std::optional<int64_t> since = hand_off_.busy_since();
    if (!since) return;
    const int64_t busy = hand_off_.now_ms() - *since;
    if (busy >= kLivePictureAfterMs) show_current_picture();
    if (busy >= kHintAfterMs && hinted_since_ != since) {
        hinted_since_ = since;
        inner_->hint(kNotWaitingHint);
    }
}

void ThreadedDisplay::show_current_picture() {
    if (!grab_) return;
    const WindowHandle window = grab_->window();
    const Window *shown = mirror_.window(window);
    if (!shown) return;
    Image picture(shown->image.width, shown->image.height);
    if (!grab_->grab(picture)) return;
    const Rect all{0, 0, picture.width, picture.height};
    mirror_.set_client_area(window, all, picture);
    inner_->client_changed(window, all);
}

// ---------------------------------------------------------------- Program thread

void ThreadedDisplay::attach(DisplayHost &host) {
    host_ = &host;
    calls_.ask([this] {
        inner_->attach(mirror_);
        screen_width_ = inner_->screen_width();
        screen_height_ = inner_->screen_height();
        base_units_ = inner_->dialog_base_units();
        return true;
    });
}

Rect ThreadedDisplay::client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                      int outer_height) const {
    // The frame a window manager gives is learnt on the toolkit thread.
    return calls_.ask(
        [=, this] { return inner_->client_rect_for(style, has_menu, outer_width, outer_height); });
}

void ThreadedDisplay::hand_over_window(WindowHandle window, bool with_image) {
    const Window *model = host_->window(window);
    if (!model) return;
    auto copy = std::make_shared<Window>(with_image ? *model : without_image(*model));
    calls_.post([this, copy, with_image] { mirror_.set_window(*copy, with_image); });
}

void ThreadedDisplay::hand_over_dialog(WindowHandle dialog) {
    const Dialog *model = host_->dialog(dialog);
    if (!model) return;
    auto copy = std::make_shared<Dialog>(*model);
    calls_.post([this, dialog, copy] { mirror_.set_dialog(dialog, *copy); });
}

void ThreadedDisplay::window_created(WindowHandle window) {
    windows_.insert(window);
    hand_over_window(window, true);
    hand_over_dialog(window);
    calls_.post([this, window] { inner_->window_created(window); });
}

void ThreadedDisplay::window_destroyed(WindowHandle window) {
    windows_.erase(window);
    calls_.post([this, window] {
        inner_->window_destroyed(window);
        mirror_.forget_window(window);
    });
}

void ThreadedDisplay::window_shown(WindowHandle window, bool visible) {
    hand_over_window(window, false);
    calls_.post([this, window, visible] { inner_->window_shown(window, visible); });
}

void ThreadedDisplay::client_changed(WindowHandle window, const Rect &area) {
    const Window *model = host_->window(window);
    if (!model) return;
    hand_over_window(window, false);
    auto part = std::make_shared<Image>(copy_of_area(model->image, area));
    const int width = model->image.width;
    const int height = model->image.height;
    calls_.post([this, window, area, part, width, height] {
        // A client sized anew comes with all of its image changed.
        if (const Window *shown = mirror_.window(window);
            shown && (shown->image.width != width || shown->image.height != height)) {
            Window resized = *shown;
            resized.image = Image(width, height);
            mirror_.set_window(resized, true);
        }
        mirror_.set_client_area(window, area, *part);
        inner_->client_changed(window, area);
    });
}

void ThreadedDisplay::menu_changed(WindowHandle window) {
    hand_over_window(window, false);
    const Window *model = host_->window(window);
    if (model && model->menu != 0) {
        // The bar and its drop-downs.
        std::vector<MenuHandle> handles{model->menu};
        for (std::size_t i = 0; i < handles.size(); ++i)
            if (const Menu *menu = host_->menu(handles[i]))
                for (const MenuItem &item : menu->items)
                    if (item.popup != 0) handles.push_back(item.popup);
        for (MenuHandle handle : handles) {
            const Menu *menu = host_->menu(handle);
            if (!menu) continue;
            auto copy = std::make_shared<Menu>(*menu);
            calls_.post([this, handle, copy, layout = host_->menu_layout(handle)] {
                mirror_.set_menu(handle, *copy, layout);
            });
        }
    }
    calls_.post([this, window] { inner_->menu_changed(window); });
}

void ThreadedDisplay::dialog_started(WindowHandle dialog) {
    hand_over_dialog(dialog);
    calls_.post([this, dialog] { inner_->dialog_started(dialog); });
}

void ThreadedDisplay::dialog_item_changed(WindowHandle dialog, int item_id) {
    hand_over_dialog(dialog);
    calls_.post([this, dialog, item_id] { inner_->dialog_item_changed(dialog, item_id); });
}

void ThreadedDisplay::apply_input(bool program_looks) {
    if (grab_) grab_->set_busy(true);
    const bool applied = hand_off_.apply(*host_, program_looks);
    if (grab_) grab_->set_busy(false);
    if (!applied) return;
    // The input may have moved, sized, shown or hidden windows, and changed
    // a dialog's texts: the toolkit thread sees them as they are now.
    for (WindowHandle window : windows_) {
        hand_over_window(window, false);
        hand_over_dialog(window);
    }
}

void ThreadedDisplay::wait(std::optional<int64_t> deadline_ms, WaitFor) {
    hand_off_.set_waiting(true);
    for (;;) {
        apply_input();
        if (host_->message_ready()) break;
        if (deadline_ms && now_ms() >= *deadline_ms) break;
        hand_off_.wait_for_input(deadline_ms);
    }
    hand_off_.set_waiting(false);
}

void ThreadedDisplay::await_placed(WindowHandle window) {
    const int64_t deadline = now_ms() + kPlacedWithinMs;
    for (;;) {
        apply_input(false);
        if (hand_off_.take_placed(window) || now_ms() >= deadline) return;
        hand_off_.wait_for_input(deadline);
    }
}

void ThreadedDisplay::poll() {
    apply_input();
}

void ThreadedDisplay::set_current_picture(WindowHandle window, const Image *picture,
                                          const HeldBox *held) {
    if (grab_) grab_->set_source(window, picture, held);
}

}  // namespace kelto::platform
