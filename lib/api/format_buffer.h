// The 1024-byte buffer into which the formatted-print calls format.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace kelto {

constexpr std::size_t kFormatBufferSize = 1024;

// Formats into `buffer` (kFormatBufferSize bytes), cutting longer output at
// the buffer so it always ends in a zero byte, and returns the formatter's
// count of the characters the whole output has. A null format or a
// formatting error leaves the buffer empty; an error returns the formatter's
// negative result.
int format_into(char (&buffer)[kFormatBufferSize], const char *format, va_list args);

}  // namespace kelto
