// The window system's input interface: what a display reports becomes what
// it means here. The enabled check and the packing of each message are done
// once, in this file, for every display.
#include <algorithm>

#include "platform/window_system.h"

namespace kelto::platform {

namespace {

// Menu commands and button identifiers travel in the low word of wparam.
uintptr_t low_16(unsigned value) {
    return value & 0xFFFF;
}

}  // namespace

void WindowSystem::report(const Click &click) {
    if (!window_enabled(click.window)) return;
    post_message(click.window, WM_LBUTTONDOWN, MK_LBUTTON, make_lparam(click.x, click.y));
}

// A press that names neither a key nor a character means nothing.
void WindowSystem::report(const KeyDown &key) {
    if ((key.virtual_key == 0 && key.character == 0) || !window_enabled(key.window)) return;
    post_message(key.window, WM_KEYDOWN, low_16(key.virtual_key),
                 key_lparam(key.character, std::max(1u, key.repeat)));
}

void WindowSystem::report(const KeyUp &key) {
    if (key.virtual_key == 0 || !window_enabled(key.window)) return;
    post_message(key.window, WM_KEYUP, low_16(key.virtual_key), key_lparam(0));
}

void WindowSystem::report(const MenuCommand &command) {
    if (!window_enabled(command.window)) return;
    post_message(command.window, WM_COMMAND, low_16(static_cast<unsigned>(command.id)), 0);
}

// The window procedure decides: the default one destroys the window.
void WindowSystem::report(const CloseRequest &close) {
    if (window_enabled(close.window)) post_message(close.window, WM_CLOSE, 0, 0);
}

// The dialog procedure decides what a button, Escape and the close box do.
void WindowSystem::report(const DialogButton &press) {
    if (dialogs_.count(press.dialog) && window_enabled(press.dialog))
        post_message(press.dialog, WM_COMMAND, low_16(static_cast<unsigned>(press.item_id)), 0);
}

void WindowSystem::report(const DialogCancel &cancel) {
    if (dialogs_.count(cancel.dialog) && window_enabled(cancel.dialog))
        post_message(cancel.dialog, WM_COMMAND, IDCANCEL, 0);
}

void WindowSystem::report(const DialogClose &close) {
    if (dialogs_.count(close.dialog) && window_enabled(close.dialog))
        post_message(close.dialog, WM_CLOSE, 0, 0);
}

void WindowSystem::report(const WindowLost &lost) {
    if (dialogs_.count(lost.window)) {
        end_dialog(lost.window, IDCANCEL);
        // Wakes the modal loop, which may be waiting for input, to see the end.
        post_message(lost.window, WM_NULL, 0, 0);
        return;
    }
    post_message(lost.window, WM_CLOSE, 0, 0);
}

void WindowSystem::report(const WindowMoved &moved) {
    move_window(moved.window, moved.outer.left, moved.outer.top, moved.outer.width(),
                moved.outer.height());
}

void WindowSystem::report(const FocusChanged &focus) {
    set_focus(focus.window);
}

void WindowSystem::report(const DialogTextEdited &edit) {
    set_dialog_item_text(edit.dialog, edit.item_id, edit.text);
}

}  // namespace kelto::platform
