// The line input dialog: asks the user for one line in a modal dialog, with
// a dialog procedure that stores the typed line in the caller's buffer when
// the button (or Enter) is pressed.
#include "console/gets.h"

#include <iterator>

#include "console/console.h"
#include "console/cp1252_encode.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::console {

using namespace platform;

namespace {

constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kSurrogateEnd = 0xE000;

// Stores the edit field's text in `buffer` as Windows-1252: at most 255
// characters and a zero, '?' for each character the code page lacks.
void store_typed_line(WindowHandle dialog, char *buffer) {
    // Room for 255 characters even if every one takes two units.
    char16_t units[2 * kGetsBufferSize];
    const int count = window_system().get_dialog_item_text(dialog, GETS_EDIT, units,
                                                           static_cast<int>(std::size(units)));
    int stored = 0;
    for (int i = 0; i < count && stored < kGetsBufferSize - 1; ++i) {
        char32_t c = units[i];
        const bool pair = c >= kHighSurrogateFirst && c < kLowSurrogateFirst && i + 1 < count &&
                          units[i + 1] >= kLowSurrogateFirst && units[i + 1] < kSurrogateEnd;
        if (pair)
            c = 0x10000 + ((c - kHighSurrogateFirst) << 10) + (units[++i] - kLowSurrogateFirst);
        buffer[stored++] = static_cast<char>(text::unicode_to_cp1252(c));
    }
    buffer[stored] = '\0';
}

}  // namespace

intptr_t gets_dlg_proc(WindowHandle dialog, unsigned message, uintptr_t wparam, intptr_t lparam) {
    ConsoleState &console = state();
    switch (message) {
        case WM_INITDIALOG: console.input_buffer = reinterpret_cast<char *>(lparam); return 1;
        case WM_COMMAND:
            // Exactly the button's click; every other command, cancel included, is ignored.
            if (wparam != GETS_OKAY) return 0;
            if (console.input_buffer) store_typed_line(dialog, console.input_buffer);
            window_system().end_dialog(dialog, 1);
            return 1;
        default: return 0;
    }
}

bool ask_line(WindowHandle owner, const char *prompt, char *buffer) {
    const GetsTemplate dialog_template = build_gets_template(prompt);
    const intptr_t result = window_system().dialog_box_indirect(
        dialog_template, owner, gets_dlg_proc, reinterpret_cast<intptr_t>(buffer));
    return result != -1;
}

}  // namespace kelto::console
