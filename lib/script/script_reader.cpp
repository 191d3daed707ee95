// The script player's reader: turns the next line of the script file into the
// event being produced by the event wait, and ends playback at the end of
// the script or at a last line that was cut short.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "script/report.h"
#include "script/script.h"
#include "script/script_file.h"
#include "script/script_line.h"
#include "script/script_number.h"

namespace kelto::script {

namespace {

// A longer line arrives in pieces of 511 characters, each read as a line.
constexpr int kLineSize = 512;
// Index of the kind letter: the character after the prefix "KELTO_".
constexpr std::size_t kKindIndex = 6;

// Up to 511 characters of a line, its newline included if it was reached.
struct Piece {
    std::size_t size = 0;  // 0: the end of the file, or a read error
    bool ends_line = false;
};

// A newline alone, also in the carriage return and line feed form.
bool is_blank(std::string_view line) {
    return line == "\n" || line == "\r\n";
}

// Reads the next piece of a line into `line`, counting every byte, NUL too.
Piece read_piece(std::FILE *file, char (&line)[kLineSize]) {
    Piece piece;
    while (piece.size < kLineSize - 1 && !piece.ends_line) {
        const int c = std::getc(file);
        if (c == EOF) break;
        line[piece.size++] = static_cast<char>(c);
        piece.ends_line = c == '\n';
    }
    line[piece.size] = '\0';
    return piece;
}

// Reads the next piece that is not a blank line.
Piece next_line(std::FILE *file, char (&line)[kLineSize]) {
    Piece piece;
    do {
        piece = read_piece(file, line);
    } while (piece.size > 0 && is_blank(std::string_view(line, piece.size)));
    return piece;
}

// Whether nothing is left to read.
bool at_end(std::FILE *file) {
    const int c = std::getc(file);
    if (c == EOF) return true;
    std::ungetc(c, file);
    return false;
}

// The end of the script, or a stream that cannot be read: reports it, stops
// playback and closes the file so that the next playback starts afresh.
void end_of_script(const ScriptState &script) {
    if (std::ferror(script.file))
        report("Cannot read script file %s\n", file_name());
    else
        report("EOF encountered in script file %s\n", file_name());
    stop_playback();
    close();
}

// Opens the script for reading; false, with playback stopped, when it cannot be.
bool open_script(ScriptState &script) {
    const OpenedFile opened = open_for_reading(file_name());
    switch (opened.outcome) {
        case OpenOutcome::Opened: script.file = opened.file; return true;
        case OpenOutcome::NotRegular:
            report("Cannot play back script %s: it is not a regular file\n", file_name());
            break;
        case OpenOutcome::Failed:
            report("Cannot open script file %s for reading\n", file_name());
            break;
    }
    stop_playback();
    return false;
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
    if (!script.file && !open_script(script)) return false;
    if (script.playback_count > 0) {
        event.kind = EventKind::Periodic;
        --script.playback_count;
        return true;
    }
    char line[kLineSize];
    const Piece piece = next_line(script.file, line);
    if (piece.size == 0) {
        end_of_script(script);
        return false;
    }
    // A last line without its newline may be a line cut short (a full disk,
    // a killed writer): it is played only if nothing of it is missing.
    if (!piece.ends_line && at_end(script.file) &&
        !is_complete_event_line(std::string_view(line, piece.size))) {
        report("Incomplete last line in script file %s\n", file_name());
        stop_playback();
        close();
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
