// Formatting into the fixed buffer of the formatted-print calls.
#include "api/format_buffer.h"

#include <cstdio>

namespace kelto {

int format_into(char (&buffer)[kFormatBufferSize], const char *format, va_list args) {
    buffer[0] = '\0';
    if (format == nullptr) return 0;
    const int count = std::vsnprintf(buffer, kFormatBufferSize, format, args);
    if (count < 0) buffer[0] = '\0';
    return count;
}

}  // namespace kelto
