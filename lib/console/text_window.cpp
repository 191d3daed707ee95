// The text window: drawing one console line at its bottom edge, and its
// procedure, which repaints the stored lines and forwards the keyboard to
// the graphics window.
#include <string_view>

#include "console/console.h"
#include "draw/fonts.h"
#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "platform/window_system.h"

namespace kelto {

using namespace platform;

namespace {

constexpr uint32_t kBackground = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;
constexpr int kLeftMargin = 5;

// Draws the stored lines oldest first, so the newest ends in the bottom row.
void repaint(WindowHandle window) {
    WindowSystem &windows = window_system();
    windows.begin_paint(window);
    for (const std::string &line : console_lines()) console_draw_line(line.c_str());
    windows.end_paint(window);
}

}  // namespace

int console_row_height() {
    const text::FontMetrics metrics = fonts().metrics(text::Face::Mono, kConsoleCharHeight);
    return metrics.height + metrics.external_leading;
}

// Before the text window is created, or after the user closed it, there is
// no client image and nothing is drawn.
void console_draw_line(const char *text) {
    const WindowHandle window = lib_state().text_window;
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
    fonts().draw(*image, text::Face::Mono, kConsoleCharHeight, int64_t{client.left} + kLeftMargin,
                 int64_t{client.bottom} - h, line, kInk);
    windows.client_changed(window);
}

intptr_t TextWndProc(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_PAINT: repaint(window); return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            window_system().post_message(lib_state().graphics_window, message, wparam, lparam);
            return 0;
        case WM_KILLFOCUS:
            note_focus_lost(wparam);
            return window_system().default_procedure(window, message, wparam, lparam);
        default: return window_system().default_procedure(window, message, wparam, lparam);
    }
}

}  // namespace kelto
