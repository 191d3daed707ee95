// The page's input records become messages for the window system.
#include "platform/web/page_input.h"

#include "platform/window_system.h"

namespace kelto::platform {

namespace {

bool takes_input(const WindowSystem &windows, WindowHandle window) {
    return windows.is_window(window) && windows.window_enabled(window);
}

uintptr_t unsigned_word(int value) {
    return static_cast<uintptr_t>(static_cast<unsigned>(value) & 0xFFFF);
}

}  // namespace

void post_page_input(WindowSystem &windows, const PageInput &input) {
    const WindowHandle window = input.window;
    switch (input.kind) {
        case PageInput::Focus:
            if (window == 0 || windows.is_window(window)) windows.set_focus(window);
            return;
        case PageInput::ItemText:
            if (windows.dialog(window)) windows.set_dialog_item_text(window, input.a, input.text);
            return;
        default: break;
    }
    if (!takes_input(windows, window)) return;
    switch (input.kind) {
        case PageInput::MouseDown:
            windows.post_message(window, WM_LBUTTONDOWN, 1, make_lparam(input.a, input.b));
            return;
        case PageInput::KeyDown:
            if (input.a == 0 && input.b == 0) return;
            windows.post_message(window, WM_KEYDOWN, unsigned_word(input.a),
                                 key_lparam(static_cast<unsigned>(input.b) & 0xFFFF));
            return;
        case PageInput::KeyUp:
            if (input.a == 0) return;
            windows.post_message(window, WM_KEYUP, unsigned_word(input.a), key_lparam(0));
            return;
        case PageInput::Command:
            windows.post_message(window, WM_COMMAND, unsigned_word(input.a), 0);
            return;
        case PageInput::Close: windows.post_message(window, WM_CLOSE, 0, 0); return;
        default: return;
    }
}

}  // namespace kelto::platform
