// The text console: the ring of the last 25 printed lines and the text
// window that shows them. The module owns the console's part of the
// library's state: the ring, the text window and the line input's buffer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace kelto::platform {
class WindowSystem;
}

namespace kelto::console {

constexpr int kConsoleLines = 25;
// Character height of the console's fixed-pitch font.
constexpr int kConsoleCharHeight = 12;
constexpr uint32_t kConsoleBackground = 0xFFFFFF;

// The lines printed since the text window's image was last drawn, newest
// last. Only as many as the window's rows can show are held, in a ring of
// `lines.size()` slots whose next is `next`; `count` is all of them, the
// rows the image is still to scroll by.
struct UnshownLines {
    std::vector<std::string> lines;
    std::size_t next = 0;
    std::size_t count = 0;
};

struct ConsoleState {
    // The ring: slot `first` holds the oldest line (-1 while empty) and `next`
    // is where the next line goes. Each line is held in a block of exactly
    // its length plus one byte.
    int first = -1;
    int next = 0;
    std::array<std::unique_ptr<char[]>, kConsoleLines> lines;

    platform::WindowHandle text_window = 0;
    // What the text window's image still owes; drawn when it can be seen.
    UnshownLines unshown;
    // The window that the text window hands its key-down and key-up messages to.
    platform::WindowHandle keyboard_target = 0;
    // Told when the text window loses the keyboard focus, with the window
    // that gets it (wparam of the focus message); may be null.
    void (*focus_left)(uintptr_t new_focus) = nullptr;

    // Told every line printed, as printed; may be null.
    void (*line_printed)(const char *line) = nullptr;

    // The caller's buffer of the running line input dialog.
    char *input_buffer = nullptr;
};

ConsoleState &state();

// Stores a printed line in the ring and shows it at the bottom of the text
// window: at once to anyone who reads the window's image, on screen at the
// next wait or display refresh.
void print_line(const char *line);

// The stored lines, oldest first, each as printed (trailing newline included).
std::vector<std::string> console_lines();

// Height of one console row: the font's height plus its external leading.
int console_row_height();

// The text window's image (text_image.cpp). A printed line is owed to it
// (owe_line); drawing what is owed scrolls the image up one row per line and
// draws, oldest first, each line that can still be seen in its row, exactly
// as drawing each line at the bottom when it was printed would have.
void owe_line(const char *text);
// Owes the stored lines, as a repaint of an erased window draws them.
void owe_stored_lines();
void draw_owed_lines(platform::WindowHandle window);
// Forgets what is owed and holds as many lines as `client_height` shows.
void fit_owed_lines(int client_height);

// Registers "TextWndClass", the text window's class.
void register_text_class(platform::WindowSystem &windows);

// Creates the text window "KELTO Text" along the bottom third of the screen,
// handing the keyboard to `keyboard_target`; returns it.
platform::WindowHandle create_text_window(platform::WindowHandle keyboard_target,
                                          void (*focus_left)(uintptr_t new_focus));

// Shows (and focuses) or hides the text window; returns whether it was visible.
bool show_text_window(bool show);

// Window procedure of the text window: repaints the stored lines and hands
// key-down and key-up messages to the keyboard target.
intptr_t TextWndProc(platform::WindowHandle window, unsigned message, uintptr_t wparam,
                     intptr_t lparam);

}  // namespace kelto::console
