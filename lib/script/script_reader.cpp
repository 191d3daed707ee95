// The script player's reader: turns the next line of the script file into the
// event being produced by the event wait.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "script/report.h"
#include "script/script.h"
#include "script/script_number.h"

namespace kelto::script {

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
void end_of_script(ScriptState &script) {
    if (std::ferror(script.file))
        report("Cannot read script file %s\n", kScriptFileName);
    else
        report("EOF encountered in script file %s\n", kScriptFileName);
    stop_playback();
    close();
}

// Sets the event's fields from one line; false for an unknown kind letter. A
// number missing from a line of a known kind reads as 0.
bool play_line(ScriptState &script, Event &event, std::string_view line) {
    const char kind = line.size() > kKindIndex ? line[kKindIndex] : '\0';
    switch (kind) {
        case 'M': {
            const ScannedNumber x = scan_number(line, kKindIndex, true);
            const ScannedNumber y = scan_number(line, x.end, true);
            event.kind = EventKind::Mouse;
            event.x = x.value;
            event.y = y.value;
            return true;
        }
        case 'K':
            event.kind = EventKind::Key;
            event.key = static_cast<signed char>(scan_number(line, kKindIndex, true).value & 0xFF);
            return true;
        case 'P':
            // This line is the first of its run; a count below 1 stands for one event.
            event.kind = EventKind::Periodic;
            script.playback_count = std::max(scan_number(line, kKindIndex, false).value - 1, 0);
            return true;
        default: return false;
    }
}

}  // namespace

bool read(Event &event) {
    ScriptState &script = state();
    if (!script.file) {
        script.file = std::fopen(kScriptFileName, "r");
        if (!script.file) {
            report("Cannot open script file %s for reading\n", kScriptFileName);
            stop_playback();
            return false;
        }
    }
    if (script.playback_count > 0) {
        event.kind = EventKind::Periodic;
        --script.playback_count;
        return true;
    }
    char line[kLineSize];
    if (!next_line(script.file, line)) {
        end_of_script(script);
        return false;
    }
    // An unknown kind stops playback silently; the stream stays after that
    // line, so the next playback goes on with the line after it.
    if (!play_line(script, event, std::string_view(line, std::strlen(line)))) {
        stop_playback();
        return false;
    }
    return true;
}

}  // namespace kelto::script
