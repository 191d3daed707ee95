// KELTO_printf and the ring of the last 25 console lines. Each line is kept
// in a block of exactly its length plus one byte; the 26th line frees the
// oldest block and takes its slot.
#include "console/console.h"

#include <cstdarg>
#include <cstring>
#include <new>

#include "draw/format_buffer.h"
#include "events/lib_state.h"

namespace kelto {

namespace {

int next_slot(int slot) {
    return slot + 1 == kConsoleLines ? 0 : slot + 1;
}

void store_line(LibState &state, const char *text) {
    const std::size_t length = std::strlen(text);
    if (state.console_first == state.console_next) {
        state.console_lines[state.console_first].reset();
        state.console_first = next_slot(state.console_first);
    }
    // A block that cannot be had leaves the slot empty; the line is still shown.
    std::unique_ptr<char[]> &slot = state.console_lines[state.console_next];
    slot.reset(new (std::nothrow) char[length + 1]);
    if (slot) std::memcpy(slot.get(), text, length + 1);
    if (state.console_first < 0) state.console_first = state.console_next;
    state.console_next = next_slot(state.console_next);
}

}  // namespace

std::vector<std::string> console_lines() {
    const LibState &state = lib_state();
    std::vector<std::string> lines;
    if (state.console_first < 0) return lines;
    int slot = state.console_first;
    do {
        const char *text = state.console_lines[slot].get();
        lines.emplace_back(text ? text : "");
        slot = next_slot(slot);
    } while (slot != state.console_next);
    return lines;
}

}  // namespace kelto

extern "C" int KELTO_printf(const char *format, ...) {
    using namespace kelto;
    char buffer[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    const int count = format_into(buffer, format, args);
    va_end(args);
    store_line(lib_state(), buffer);
    console_draw_line(buffer);
    return count;
}
