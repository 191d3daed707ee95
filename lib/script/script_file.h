// The script file on disk: opening it without ever blocking and only when it
// is a regular file, writing whole lines or nothing, and noticing that the
// file being written has been deleted. The only code of the script module
// that uses the operating system's file interface, made once for POSIX
// systems (script_file_posix.cpp) and once for Windows (script_file_win32.cpp).
#pragma once

#include <cstdio>
#include <string_view>

namespace kelto::script {

enum class OpenOutcome {
    Opened,
    // The name is a pipe, a device or a socket: refused before it could block.
    NotRegular,
    // Missing, not permitted, a directory to write, ...: worth trying again later.
    Failed,
};

struct OpenedFile {
    std::FILE *file = nullptr;  // the caller's to close; set only when Opened
    OpenOutcome outcome = OpenOutcome::Failed;
};

// Where a file opened for writing starts.
enum class WriteStart { Empty, AtEnd };

// Opens `name` for reading.
OpenedFile open_for_reading(const char *name);
// Opens `name` for writing, creating it if it is missing; only once it is
// known to be a regular file is it emptied (WriteStart::Empty) or positioned
// at its end (WriteStart::AtEnd).
OpenedFile open_for_writing(const char *name, WriteStart start);

// Writes `line` at the current position of a file opened for writing, straight
// to the file, past the stream's buffer. Returns false if it could not be
// written whole; the file is then put back as it was before the call, so it
// never ends in part of a line.
bool write_whole(std::FILE *file, std::string_view line);

// Whether the file open in `file` has lost its last name: it was deleted, or
// another file was put in its place.
bool is_deleted(std::FILE *file);

}  // namespace kelto::script
