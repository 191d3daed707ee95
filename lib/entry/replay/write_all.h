// Writing a whole buffer with write(2) alone, as a signal handler may.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace kelto::replay {

// Writes all `size` bytes, again after an interruption; false if a write fails.
inline bool write_all(int descriptor, const void *bytes, std::size_t size) {
    const char *next = static_cast<const char *>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(descriptor, next, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace kelto::replay
