// The text console: the ring of the last 25 printed lines and the text
// window that shows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace kelto {

// Character height of the console's fixed-pitch font.
constexpr int kConsoleCharHeight = 12;

// Height of one console row: the font's height plus its external leading.
int console_row_height();

// Scrolls the text window's client area up one row and draws `text` in the freed bottom row.
void console_draw_line(const char *text);

// Window procedure of the text window: repaints the stored lines and hands
// key-down and key-up messages to the graphics window.
intptr_t TextWndProc(platform::WindowHandle window, unsigned message, uintptr_t wparam,
                     intptr_t lparam);

// The stored lines, oldest first, each as printed (trailing newline included).
std::vector<std::string> console_lines();

}  // namespace kelto
