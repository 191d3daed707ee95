// The ring of the last 25 console lines. Each line is kept in a block of
// exactly its length plus one byte; the 26th line frees the oldest block and
// takes its slot.
#include "console/console.h"

#include <cstring>
#include <new>

namespace kelto::console {

namespace {

int next_slot(int slot) {
    return slot + 1 == kConsoleLines ? 0 : slot + 1;
}

void store_line(ConsoleState &console, const char *text) {
    const std::size_t length = std::strlen(text);
    if (console.first == console.next) {
        console.lines[static_cast<std::size_t>(console.first)].reset();
        console.first = next_slot(console.first);
    }
    // A block that cannot be had leaves the slot empty; the line is still shown.
    std::unique_ptr<char[]> &slot = console.lines[static_cast<std::size_t>(console.next)];
    slot.reset(new (std::nothrow) char[length + 1]);
    if (slot) std::memcpy(slot.get(), text, length + 1);
    if (console.first < 0) console.first = console.next;
    console.next = next_slot(console.next);
}

}  // namespace

ConsoleState &state() {
    static ConsoleState *const console = new ConsoleState;
    return *console;
}

void print_line(const char *line) {
    store_line(state(), line);
    owe_line(line);
    if (state().line_printed) state().line_printed(line);
}

std::vector<std::string> console_lines() {
    const ConsoleState &console = state();
    std::vector<std::string> lines;
    if (console.first < 0) return lines;
    int slot = console.first;
    do {
        const char *text = console.lines[static_cast<std::size_t>(slot)].get();
        lines.emplace_back(text ? text : "");
        slot = next_slot(slot);
    } while (slot != console.next);
    return lines;
}

}  // namespace kelto::console
