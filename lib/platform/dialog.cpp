// Modal dialogs of the window system: a dialog window made from a template,
// the modal loop that keeps every window's messages flowing while it runs,
// and the read-out and change of its items' texts.
#include <algorithm>

#include "platform/window_system.h"

namespace kelto::platform {

namespace {

constexpr uint32_t kDialogFace = 0xF0F0F0;
// An outer size large enough that the display's decorations fit inside it.
constexpr int kProbeSize = 1000;

// value * numerator / denominator, rounded half away from zero.
int mul_div(int value, int numerator, int denominator) {
    const int64_t product = int64_t{value} * numerator;
    const int64_t half = denominator / 2;
    const int64_t rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

Rect to_pixels(const Rect &units, DialogBaseUnits base) {
    return Rect{mul_div(units.left, base.width, 4), mul_div(units.top, base.height, 8),
                mul_div(units.right, base.width, 4), mul_div(units.bottom, base.height, 8)};
}

// Window titles are 8-bit strings; the dialog's 16-bit title becomes UTF-8.
std::string to_utf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int first_tab_stop(const Dialog &dialog) {
    for (size_t i = 0; i < dialog.items.size(); ++i)
        if (dialog.items[i].control.style & WS_TABSTOP) return static_cast<int>(i);
    return -1;
}

DialogItem *find_item(Dialog &dialog, int id) {
    for (DialogItem &item : dialog.items)
        if (item.control.id == id) return &item;
    return nullptr;
}

}  // namespace

WindowHandle WindowSystem::create_dialog(const DialogTemplate &layout, WindowHandle owner_handle,
                                         DialogProc procedure) {
    const Window &owner = *find(owner_handle);
    const DialogBaseUnits base = display_->dialog_base_units();
    const uint32_t style = layout.style & ~static_cast<uint32_t>(WS_VISIBLE);
    // The template sizes the client area; the decorations come on top.
    const Rect size = to_pixels(Rect{0, 0, layout.units.width(), layout.units.height()}, base);
    const Rect probe = display_->client_rect_for(style, false, kProbeSize, kProbeSize);
    const int outer_width = std::max(0, size.width()) + kProbeSize - probe.width();
    const int outer_height = std::max(0, size.height()) + kProbeSize - probe.height();
    // The template places the window relative to the owner's client area,
    // whose frame is taken to be equally wide on every side.
    const int frame = (owner.outer.width() - owner.client.width()) / 2;
    const Rect place = to_pixels(layout.units, base);
    const int left = owner.outer.left + frame + place.left;
    const int top = owner.outer.bottom - frame - owner.client.height() + place.top;

    const WindowHandle handle = next_window_++;
    Dialog &dialog = dialogs_[handle];
    dialog.owner = owner_handle;
    dialog.procedure = procedure;
    dialog.title = layout.title;
    dialog.units = layout.units;
    for (const DialogItemTemplate &control : layout.items)
        dialog.items.push_back(DialogItem{control, to_pixels(control.units, base)});

    Window &window = windows_[handle];
    window.handle = handle;
    window.class_name = "#32770";
    window.background = kDialogFace;
    window.title = to_utf8(layout.title);
    window.style = style;
    window.outer = Rect{left, top, left + outer_width, top + outer_height};
    window.owner = owner_handle;
    resize_client(window);
    display_->window_created(handle);
    return handle;
}

intptr_t WindowSystem::dialog_box_indirect(std::span<const uint8_t> template_bytes,
                                           WindowHandle owner, DialogProc procedure,
                                           intptr_t init_value) {
    if (procedure == nullptr || !is_window(owner)) return -1;
    const std::optional<DialogTemplate> layout = parse_dialog_template(template_bytes);
    if (!layout) return -1;
    const WindowHandle handle = create_dialog(*layout, owner, procedure);
    dialogs_[handle].template_bytes.assign(template_bytes.begin(), template_bytes.end());
    const int tab_stop = first_tab_stop(dialogs_[handle]);
    const int focus_id =
        tab_stop >= 0 ? dialogs_[handle].items[static_cast<std::size_t>(tab_stop)].control.id : 0;
    const bool default_focus =
        send_message(handle, WM_INITDIALOG, static_cast<uintptr_t>(focus_id), init_value) != 0;

    // The procedure may have ended or destroyed the dialog already.
    auto running = [this, handle] {
        auto it = dialogs_.find(handle);
        return it != dialogs_.end() && !it->second.ended && is_window(handle);
    };
    if (running()) {
        if (default_focus) dialogs_[handle].focus = tab_stop;
        // The windows behind the dialog are seen as they are now.
        release_shows();
        show_stale_clients();
        display_->dialog_started(handle);
        show_window(handle, SW_SHOW);
    }
    std::optional<int> quit;
    while (running()) {
        Message message;
        if (!peek_message(message)) {
            // One wait for input or the next timer, then look again: what the
            // display did meanwhile may have ended the dialog without a message.
            // Only input can end a dialog.
            show_stale_clients();
            display_->wait(next_timer_deadline(), WaitFor::Input);
            continue;
        }
        if (message.message == WM_QUIT) {
            quit = static_cast<int>(message.wparam);
            break;
        }
        translate_message(message);
        dispatch_message(message);
    }

    auto it = dialogs_.find(handle);
    const intptr_t result = it != dialogs_.end() && it->second.ended ? it->second.result : 0;
    destroy_window(handle);
    dialogs_.erase(handle);
    if (focus_ == 0 && is_window(owner)) set_focus(owner);
    if (quit) post_quit(*quit);
    return result;
}

bool WindowSystem::end_dialog(WindowHandle handle, intptr_t result) {
    auto it = dialogs_.find(handle);
    if (it == dialogs_.end()) return false;
    it->second.ended = true;
    it->second.result = result;
    return true;
}

int WindowSystem::get_dialog_item_text(WindowHandle handle, int id, char16_t *buffer,
                                       int size) const {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = 0;
    const Dialog *running = dialog(handle);
    if (!running) return 0;
    for (const DialogItem &item : running->items) {
        if (item.control.id != id) continue;
        const size_t count = std::min(item.control.text.size(), static_cast<size_t>(size - 1));
        std::copy_n(item.control.text.begin(), count, buffer);
        buffer[count] = 0;
        return static_cast<int>(count);
    }
    return 0;
}

bool WindowSystem::set_dialog_item_text(WindowHandle handle, int id, std::u16string_view text) {
    auto it = dialogs_.find(handle);
    if (it == dialogs_.end()) return false;
    DialogItem *item = find_item(it->second, id);
    if (!item) return false;
    if (item->control.text != text) {
        item->control.text = text;
        display_->dialog_item_changed(handle, id);
    }
    return true;
}

const Dialog *WindowSystem::dialog(WindowHandle handle) const {
    auto it = dialogs_.find(handle);
    return it == dialogs_.end() ? nullptr : &it->second;
}

bool WindowSystem::window_enabled(WindowHandle window) const {
    if (!is_window(window)) return false;
    return std::none_of(dialogs_.begin(), dialogs_.end(), [window](const auto &entry) {
        return entry.second.owner == window && !entry.second.ended;
    });
}

}  // namespace kelto::platform
