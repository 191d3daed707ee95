// The script file on disk on Windows. The name is opened through the
// kernel's file interface, which returns at once whatever the name stands
// for (Wine, too, opens a Unix FIFO without waiting for its other end), and
// what was opened is judged on the handle: only a disk file becomes a
// stream. A pipe (Wine's form of a FIFO) or a character device is closed
// unread and unwritten, so nothing ever waits on it.
#include "script/script_file.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>

namespace kelto::script {

namespace {

// ERROR_NO_SUCH_DEVICE, which MinGW's headers lack.
constexpr DWORD kNoSuchDevice = 433;

// Why a name could not be opened. Wine reports a Unix socket, which cannot
// be opened at all, as a device that does not exist.
OpenOutcome failure_of_open(DWORD error) {
    return error == kNoSuchDevice ? OpenOutcome::NotRegular : OpenOutcome::Failed;
}

// Opens `name` as the C library's fopen would (shared for reading and
// writing) and keeps the handle only if it is a disk file.
HANDLE open_disk_file(const char *name, DWORD access, DWORD disposition, OpenOutcome &outcome) {
    const HANDLE handle = CreateFileA(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        outcome = failure_of_open(GetLastError());
        return INVALID_HANDLE_VALUE;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        outcome = OpenOutcome::NotRegular;
        return INVALID_HANDLE_VALUE;
    }
    outcome = OpenOutcome::Opened;
    return handle;
}

// A text-mode stream on the handle, which it then owns.
OpenedFile stream_on(HANDLE handle, int flags, const char *mode) {
    const int descriptor =
        _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), flags | _O_TEXT);
    if (descriptor < 0) {
        CloseHandle(handle);
        return OpenedFile{nullptr, OpenOutcome::Failed};
    }
    std::FILE *file = _fdopen(descriptor, mode);
    if (file) return OpenedFile{file, OpenOutcome::Opened};
    _close(descriptor);
    return OpenedFile{nullptr, OpenOutcome::Failed};
}

}  // namespace

OpenedFile open_for_reading(const char *name) {
    OpenOutcome outcome = OpenOutcome::Failed;
    const HANDLE handle = open_disk_file(name, GENERIC_READ, OPEN_EXISTING, outcome);
    if (handle == INVALID_HANDLE_VALUE) return OpenedFile{nullptr, outcome};
    return stream_on(handle, _O_RDONLY, "r");
}

OpenedFile open_for_writing(const char *name, WriteStart start) {
    OpenOutcome outcome = OpenOutcome::Failed;
    const HANDLE handle = open_disk_file(name, GENERIC_WRITE, OPEN_ALWAYS, outcome);
    if (handle == INVALID_HANDLE_VALUE) return OpenedFile{nullptr, outcome};
    // The handle starts at the file's beginning: empty the file from there,
    // or move to its end.
    const bool placed = start == WriteStart::Empty
                            ? SetEndOfFile(handle) != 0
                            : SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_END) != 0;
    if (!placed) {
        CloseHandle(handle);
        return OpenedFile{nullptr, OpenOutcome::Failed};
    }
    return stream_on(handle, _O_WRONLY, "w");
}

bool write_whole(std::FILE *file, std::string_view line) {
    const int descriptor = _fileno(file);
    const __int64 before = _lseeki64(descriptor, 0, SEEK_CUR);
    if (before < 0) return false;
    const unsigned size = static_cast<unsigned>(line.size());
    if (_write(descriptor, line.data(), size) == static_cast<int>(size)) return true;
    if (_chsize_s(descriptor, before) == 0) _lseeki64(descriptor, before, SEEK_SET);
    return false;
}

// Windows does not delete a file that is open without delete sharing, and
// this one is opened without it.
bool is_deleted(std::FILE *) {
    return false;
}

}  // namespace kelto::script
