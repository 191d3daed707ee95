// The script file on disk on POSIX systems (and in the browser's file
// system). A pipe or device can block the opening itself, so the file is
// opened without blocking and looked at before anything else is done with it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

#include "script/script_file.h"

namespace kelto::script {

namespace {

// Anything but a regular file or a directory: a pipe, a device or a socket.
// A directory is not refused here: opening one fails or reads nothing, and
// says so as any other unusable file does.
bool is_special(const struct stat &info) {
    return !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

bool names_special_file(const char *name) {
    struct stat info {};
    return stat(name, &info) == 0 && is_special(info);
}

OpenedFile failed(const char *name) {
    return OpenedFile{nullptr,
                      names_special_file(name) ? OpenOutcome::NotRegular : OpenOutcome::Failed};
}

// Opens without blocking, keeps the descriptor only for a regular file or a
// directory, and gives it back blocking as usual.
int open_descriptor(const char *name, int flags, OpenOutcome &outcome) {
    const int descriptor = ::open(name, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    outcome = OpenOutcome::Failed;
    if (descriptor < 0) {
        // A pipe without a reader, or a socket, cannot even be opened.
        if (names_special_file(name)) outcome = OpenOutcome::NotRegular;
        return -1;
    }
    struct stat info {};
    const bool examined = fstat(descriptor, &info) == 0;
    if (examined && is_special(info)) outcome = OpenOutcome::NotRegular;
    const int status_flags = examined ? fcntl(descriptor, F_GETFL) : -1;
    if (outcome == OpenOutcome::NotRegular || status_flags < 0 ||
        fcntl(descriptor, F_SETFL, status_flags & ~O_NONBLOCK) != 0) {
        ::close(descriptor);
        return -1;
    }
    outcome = OpenOutcome::Opened;
    return descriptor;
}

OpenedFile stream_on(int descriptor, const char *mode) {
    std::FILE *file = fdopen(descriptor, mode);
    if (file) return OpenedFile{file, OpenOutcome::Opened};
    ::close(descriptor);
    return OpenedFile{nullptr, OpenOutcome::Failed};
}

}  // namespace

OpenedFile open_for_reading(const char *name) {
    OpenOutcome outcome = OpenOutcome::Failed;
    const int descriptor = open_descriptor(name, O_RDONLY, outcome);
    if (descriptor < 0) return OpenedFile{nullptr, outcome};
    return stream_on(descriptor, "r");
}

OpenedFile open_for_writing(const char *name, WriteStart start) {
    OpenOutcome outcome = OpenOutcome::Failed;
    const int descriptor = open_descriptor(name, O_WRONLY | O_CREAT, outcome);
    if (descriptor < 0) return OpenedFile{nullptr, outcome};
    const bool placed = start == WriteStart::Empty ? ftruncate(descriptor, 0) == 0
                                                   : lseek(descriptor, 0, SEEK_END) >= 0;
    if (!placed) {
        ::close(descriptor);
        return failed(name);
    }
    // The stream's own mode "w" empties nothing on an open descriptor.
    return stream_on(descriptor, "w");
}

bool write_whole(std::FILE *file, std::string_view line) {
    const int descriptor = fileno(file);
    const off_t before = lseek(descriptor, 0, SEEK_CUR);
    if (before < 0) return false;
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t count = ::write(descriptor, line.data() + written, line.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            // A full disk or a size limit: cut off the part that was written.
            if (ftruncate(descriptor, before) == 0) lseek(descriptor, before, SEEK_SET);
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

bool is_deleted(std::FILE *file) {
    struct stat info {};
    return fstat(fileno(file), &info) == 0 && info.st_nlink == 0;
}

}  // namespace kelto::script
