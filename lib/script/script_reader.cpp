// The script player's reader: turns the next line of the script file into the
// event being produced by the event wait.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "events/lib_state.h"
#include "kelto.h"
#include "script/script.h"
#include "script/script_number.h"

namespace kelto {

namespace {

// A longer line arrives in pieces of 511 characters, each read as a line.
constexpr int kLineSize = 512;
// Index of the kind letter: the character after the prefix "KELTO_".
constexpr std::size_t kKindIndex = 6;

// A newline alone, also in the carriage return and line feed form.
bool is_blank(std::string_view line) {
    return line == "\n" || line == "\r\n";
}

// Reads the next line that is not blank into `line`; false at the end of the
// file or on a read error. A last line without its newline is still a line.
bool next_line(std::FILE *file, char (&line)[kLineSize]) {
    do {
        if (!std::fgets(line, kLineSize, file)) return false;
    } while (is_blank(line));
    return true;
}

// The end of the script, or a stream that cannot be read: reports it, stops
// playback and closes the file so that the next playback starts afresh.
void end_of_script(LibState &state) {
    if (std::ferror(state.script_file))
        KELTO_printf("Cannot read script file %s\n", kScriptFileName);
    else
        KELTO_printf("EOF encountered in script file %s\n", kScriptFileName);
    KELTO_script_stop_playback();
    KELTO_script_close();
}

// Sets the event fields from one line; false for an unknown kind letter. A
// number missing from a line of a known kind reads as 0.
bool play_line(LibState &state, std::string_view line) {
    const char kind = line.size() > kKindIndex ? line[kKindIndex] : '\0';
    switch (kind) {
        case 'M': {
            const ScannedNumber x = scan_number(line, kKindIndex, true);
            const ScannedNumber y = scan_number(line, x.end, true);
            state.event_kind = KELTO_MOUSE;
            state.event_x = x.value;
            state.event_y = y.value;
            return true;
        }
        case 'K':
            state.event_kind = KELTO_KBD;
            state.event_key =
                static_cast<signed char>(scan_number(line, kKindIndex, true).value & 0xFF);
            return true;
        case 'P':
            // This line is the first of its run; a count below 1 stands for one event.
            state.event_kind = KELTO_PERIODIC;
            state.playback_count = std::max(scan_number(line, kKindIndex, false).value - 1, 0);
            return true;
        default: return false;
    }
}

}  // namespace

int KELTO_script_read() {
    LibState &state = lib_state();
    if (!state.script_file) {
        state.script_file = std::fopen(kScriptFileName, "r");
        if (!state.script_file) {
            KELTO_printf("Cannot open script file %s for reading\n", kScriptFileName);
            KELTO_script_stop_playback();
            return 0;
        }
    }
    if (state.playback_count > 0) {
        state.event_kind = KELTO_PERIODIC;
        --state.playback_count;
        return 1;
    }
    char line[kLineSize];
    if (!next_line(state.script_file, line)) {
        end_of_script(state);
        return 0;
    }
    // An unknown kind stops playback silently; the stream stays after that
    // line, so the next playback goes on with the line after it.
    if (!play_line(state, std::string_view(line, std::strlen(line)))) {
        KELTO_script_stop_playback();
        return 0;
    }
    return 1;
}

}  // namespace kelto
