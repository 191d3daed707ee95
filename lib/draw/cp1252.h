// The Windows-1252 code page: the meaning of the 8-bit characters that the
// drawing calls and the console are given.
#pragma once

#include <array>

namespace kelto::text {

namespace detail {
// Unicode for 0x80..0x9F; the five bytes that Windows-1252 leaves undefined
// keep their Latin-1 (C1 control) value.
inline constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};
}  // namespace detail

// The Unicode character of one Windows-1252 byte; bytes outside 0x80..0x9F
// are the same as in Latin-1.
constexpr char32_t cp1252_to_unicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return detail::kCp1252High[byte - 0x80];
    return byte;
}

}  // namespace kelto::text
