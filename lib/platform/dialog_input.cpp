// The dialog manager: the procedure of every dialog window. It hands each
// message to the dialog's own procedure first and, when that leaves it,
// gives the keyboard and mouse their dialog meaning: Enter presses the
// default button, Escape, the close box and Alt+F4 send the cancel command,
// Tab moves between tab stops, typed characters go to the focused control.
#include "platform/window_system.h"

namespace kelto::platform {

namespace {

constexpr char16_t kBackspace = 0x08;
constexpr char16_t kSpace = 0x20;
constexpr char16_t kDelete = 0x7F;

bool is_push_button(const DialogItem &item) {
    const uint32_t type = item.control.style & BS_TYPEMASK;
    return item.control.class_ordinal == DIALOG_CLASS_BUTTON &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool is_edit(const DialogItem &item) {
    return item.control.class_ordinal == DIALOG_CLASS_EDIT;
}

bool takes_focus(const DialogItem &item) {
    return (item.control.style & WS_TABSTOP) && (is_edit(item) || is_push_button(item));
}

// A button press reaches the dialog as the command of the button's identifier.
void press(WindowSystem &windows, WindowHandle handle, const DialogItem &button) {
    windows.send_message(handle, WM_COMMAND, static_cast<uintptr_t>(button.control.id & 0xFFFF), 0);
}

// Enter presses the focused push button, else the default one, else sends IDOK.
void press_default(WindowSystem &windows, WindowHandle handle, const Dialog &dialog) {
    const DialogItem *focused = dialog.focused_item();
    if (focused && is_push_button(*focused)) {
        press(windows, handle, *focused);
        return;
    }
    for (const DialogItem &item : dialog.items) {
        if (is_push_button(item) && (item.control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            press(windows, handle, item);
            return;
        }
    }
    windows.send_message(handle, WM_COMMAND, IDOK, 0);
}

// Moves the focus to the next (or previous) control that takes it, wrapping.
void tab(Dialog &dialog, bool backwards) {
    const int count = static_cast<int>(dialog.items.size());
    if (count == 0) return;
    const int step = backwards ? count - 1 : 1;
    int index = dialog.focus >= 0 ? dialog.focus : (backwards ? 0 : count - 1);
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step) % count;
        if (takes_focus(dialog.items[static_cast<std::size_t>(index)])) {
            dialog.focus = index;
            return;
        }
    }
}

void key_down(WindowSystem &windows, WindowHandle handle, Dialog &dialog, uintptr_t key) {
    switch (key) {
        case VK_SHIFT: dialog.shift_down = true; break;
        case VK_MENU: dialog.alt_down = true; break;
        case VK_RETURN: press_default(windows, handle, dialog); break;
        case VK_ESCAPE: windows.send_message(handle, WM_COMMAND, IDCANCEL, 0); break;
        case VK_TAB: tab(dialog, dialog.shift_down); break;
        case VK_F4:
            if (dialog.alt_down) windows.send_message(handle, WM_CLOSE, 0, 0);
            break;
        default: break;
    }
}

void key_up(Dialog &dialog, uintptr_t key) {
    if (key == VK_SHIFT) dialog.shift_down = false;
    if (key == VK_MENU) dialog.alt_down = false;
}

// The edit field takes printable characters at its end and Backspace; it
// lets no line break or other control character in.
void edit_typed(std::u16string &text, char16_t unit) {
    if (unit == kBackspace) {
        if (text.empty()) return;
        const bool pair = text.size() >= 2 && text.back() >= 0xDC00 && text.back() < 0xE000 &&
                          text[text.size() - 2] >= 0xD800 && text[text.size() - 2] < 0xDC00;
        text.resize(text.size() - (pair ? 2 : 1));
    } else if (unit >= kSpace && unit != kDelete) {
        text.push_back(unit);
    }
}

void typed(WindowSystem &windows, WindowHandle handle, Dialog &dialog, uintptr_t character) {
    if (!dialog.focused_item()) return;
    DialogItem &item = *dialog.focused_item();
    const auto unit = static_cast<char16_t>(character & 0xFFFF);
    if (is_edit(item)) {
        std::u16string text = item.control.text;
        edit_typed(text, unit);
        windows.set_dialog_item_text(handle, item.control.id, text);
    } else if (is_push_button(item) && unit == kSpace) {
        press(windows, handle, item);
    }
}

// A click focuses the control under it; on a push button it also presses it.
void clicked(WindowSystem &windows, WindowHandle handle, Dialog &dialog, intptr_t lparam) {
    const int x = static_cast<int16_t>(low_word(lparam));
    const int y = static_cast<int16_t>(high_word(lparam));
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const DialogItem &item = dialog.items[i];
        const Rect &r = item.pixels;
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
        if (!is_edit(item) && !is_push_button(item)) return;
        dialog.focus = static_cast<int>(i);
        if (is_push_button(item)) press(windows, handle, item);
        return;
    }
}

}  // namespace

intptr_t WindowSystem::dialog_procedure(WindowHandle handle, unsigned message, uintptr_t wparam,
                                        intptr_t lparam) {
    auto it = dialogs_.find(handle);
    if (const intptr_t handled = it->second.procedure(handle, message, wparam, lparam))
        return handled;
    // The procedure may have destroyed its window; the record stays until the loop ends.
    if (!is_window(handle)) return 0;
    Dialog &dialog = it->second;
    switch (message) {
        case WM_CLOSE: send_message(handle, WM_COMMAND, IDCANCEL, 0); return 0;
        case WM_KEYDOWN: key_down(*this, handle, dialog, wparam); return 0;
        case WM_KEYUP: key_up(dialog, wparam); return 0;
        case WM_CHAR: typed(*this, handle, dialog, wparam); return 0;
        case WM_LBUTTONDOWN: clicked(*this, handle, dialog, lparam); return 0;
        case WM_INITDIALOG:
        case WM_COMMAND: return 0;
        default: return default_procedure(handle, message, wparam, lparam);
    }
}

}  // namespace kelto::platform
