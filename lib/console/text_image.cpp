// The text window's image: the printed lines it still owes, and drawing them
// once the window can be seen. Printing a line only copies it; the scroll
// and the glyphs wait for a wait, a paint or a read of the image, and then
// only the rows that show are drawn.
#include <algorithm>
#include <string_view>

#include "console/console.h"
#include "draw/fonts.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::console {

using namespace platform;

namespace {

constexpr uint32_t kInk = 0x000000;
constexpr int kLeftMargin = 5;

void hold_line(UnshownLines &unshown, const char *text) {
    if (!unshown.lines.empty()) {
        unshown.lines[unshown.next].assign(text);
        unshown.next = unshown.next + 1 == unshown.lines.size() ? 0 : unshown.next + 1;
    }
    ++unshown.count;
}

}  // namespace

int console_row_height() {
    const text::FontMetrics metrics = text::fonts().metrics(text::Face::Mono, kConsoleCharHeight);
    return metrics.height + metrics.external_leading;
}

// Before the text window is created, or after the user closed it, nothing is
// owed and nothing is drawn.
void owe_line(const char *text) {
    ConsoleState &console = state();
    if (console.text_window == 0) return;
    WindowSystem &windows = window_system();
    if (!windows.is_window(console.text_window)) return;
    hold_line(console.unshown, text);
    windows.client_stale(console.text_window, draw_owed_lines);
}

void owe_stored_lines() {
    for (const std::string &line : console_lines()) hold_line(state().unshown, line.c_str());
}

void fit_owed_lines(int client_height) {
    UnshownLines &unshown = state().unshown;
    // One more than the whole rows: a partly visible row at the top.
    unshown.lines.assign(
        static_cast<std::size_t>(std::max(0, client_height) / console_row_height() + 1),
        std::string());
    unshown.next = 0;
    unshown.count = 0;
}

// Each line printed scrolled the image up one row, filled the bottom row with
// the background and drew the line's glyphs there, cut at the image's
// bottom. Here the image scrolls once by all the rows and each line goes to
// the row it has reached, oldest first: a glyph that reaches below its row
// is covered by the next row's fill as it was cut before, and one that
// reaches above lands on the older rows in the same order as before. A line
// whose row is wholly above the image drew nothing that is still there.
void draw_owed_lines(WindowHandle handle) {
    UnshownLines &unshown = state().unshown;
    const std::size_t count = unshown.count;
    unshown.count = 0;
    WindowSystem &windows = window_system();
    Window *window = windows.find(handle);
    const std::size_t slots = unshown.lines.size();
    if (count == 0 || window == nullptr || slots == 0) return;
    Image &image = window->image;
    const Rect client = window->client;
    const int h = console_row_height();
    // The slots hold more rows than the image: past them it is all redrawn.
    if (count < slots) scroll_up(image, static_cast<int>(count) * h);
    const std::size_t kept = std::min(count, slots);
    std::size_t slot = (unshown.next + slots - kept) % slots;
    for (std::size_t i = 0; i < kept; ++i, slot = slot + 1 == slots ? 0 : slot + 1) {
        const int64_t top = int64_t{client.bottom} - static_cast<int64_t>(kept - i) * h;
        if (top + h <= 0) continue;
        fill_rect(image, client.left, top, client.right, top + h, kConsoleBackground);
        std::string_view line(unshown.lines[slot]);
        if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
        text::fonts().draw(image, text::Face::Mono, kConsoleCharHeight,
                           int64_t{client.left} + kLeftMargin, top, line, kInk);
    }
    windows.client_changed(handle);
}

}  // namespace kelto::console
