// Unicode back to the Windows-1252 code page, for text the library hands to
// programs as 8-bit characters.
#pragma once

#include "draw/cp1252.h"

namespace kelto::text {

// The Windows-1252 byte of a Unicode character, or '?' when the code page
// has none for it.
constexpr unsigned char unicode_to_cp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (unsigned byte = 0x80; byte < 0xA0; ++byte)
        if (cp1252_to_unicode(static_cast<unsigned char>(byte)) == c)
            return static_cast<unsigned char>(byte);
    return '?';
}

}  // namespace kelto::text
