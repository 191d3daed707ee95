// The text window: its class and creation, and its procedure, which
// repaints the stored lines, fits the lines it owes to its size and hands
// the keyboard to the keyboard target.
#include "console/console.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::console {

using namespace platform;

namespace {

constexpr const char *kClassName = "TextWndClass";

// Draws the stored lines oldest first, so the newest ends in the bottom row.
// Painting brings the image up to date before it erases.
void repaint(WindowHandle window) {
    WindowSystem &windows = window_system();
    windows.begin_paint(window);
    owe_stored_lines();
    draw_owed_lines(window);
    windows.end_paint(window);
}

}  // namespace

void register_text_class(WindowSystem &windows) {
    WindowClass window_class;
    window_class.name = kClassName;
    window_class.procedure = TextWndProc;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.background = kConsoleBackground;
    windows.register_class(window_class);
}

WindowHandle create_text_window(WindowHandle keyboard_target,
                                void (*focus_left)(uintptr_t new_focus)) {
    ConsoleState &console = state();
    WindowSystem &windows = window_system();
    console.keyboard_target = keyboard_target;
    console.focus_left = focus_left;
    const int screen_width = windows.screen_width();
    const int screen_height = windows.screen_height();
    console.text_window =
        windows.create_window(kClassName, "KELTO Text", WS_OVERLAPPEDWINDOW, 0,
                              (2 * screen_height) / 3 + 1, screen_width, screen_height / 3);
    return console.text_window;
}

bool show_text_window(bool show) {
    WindowSystem &windows = window_system();
    const WindowHandle text_window = state().text_window;
    const bool was_visible = windows.show_window(text_window, show ? SW_SHOW : SW_HIDE);
    if (show) windows.set_focus(text_window);
    return was_visible;
}

intptr_t TextWndProc(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_PAINT: repaint(window); return 0;
        case WM_SIZE: fit_owed_lines(window_system().client_rect(window).bottom); return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            window_system().post_message(state().keyboard_target, message, wparam, lparam);
            return 0;
        case WM_KILLFOCUS:
            if (state().focus_left) state().focus_left(wparam);
            return window_system().default_procedure(window, message, wparam, lparam);
        default: return window_system().default_procedure(window, message, wparam, lparam);
    }
}

}  // namespace kelto::console
