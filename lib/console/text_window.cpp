// The text window: its class and creation, drawing one console line at its
// bottom edge, and its procedure, which repaints the stored lines and hands
// the keyboard to the keyboard target.
#include <string_view>

#include "console/console.h"
#include "draw/fonts.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::console {

using namespace platform;

namespace {

constexpr uint32_t kBackground = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;
constexpr int kLeftMargin = 5;
constexpr const char *kClassName = "TextWndClass";

// Draws the stored lines oldest first, so the newest ends in the bottom row.
void repaint(WindowHandle window) {
    WindowSystem &windows = window_system();
    windows.begin_paint(window);
    for (const std::string &line : console_lines()) console_draw_line(line.c_str());
    windows.end_paint(window);
}

}  // namespace

int console_row_height() {
    const text::FontMetrics metrics = text::fonts().metrics(text::Face::Mono, kConsoleCharHeight);
    return metrics.height + metrics.external_leading;
}

// Before the text window is created, or after the user closed it, there is
// no client image and nothing is drawn.
void console_draw_line(const char *text) {
    const WindowHandle window = state().text_window;
    if (window == 0) return;
    WindowSystem &windows = window_system();
    Image *image = windows.client_image(window);
    if (image == nullptr) return;
    const int h = console_row_height();
    scroll_up(*image, h);
    const Rect client = windows.client_rect(window);
    fill_rect(*image, client.left, int64_t{client.bottom} - h, client.right,
              int64_t{client.bottom} + 1, kBackground);
    std::string_view line(text);
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    text::fonts().draw(*image, text::Face::Mono, kConsoleCharHeight,
                       int64_t{client.left} + kLeftMargin, int64_t{client.bottom} - h, line, kInk);
    windows.client_changed(window);
}

void register_text_class(WindowSystem &windows) {
    WindowClass window_class;
    window_class.name = kClassName;
    window_class.procedure = TextWndProc;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.background = kBackground;
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
