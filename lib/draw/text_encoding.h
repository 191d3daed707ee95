// How the library reads the text it is given. Text that is valid UTF-8 and
// holds at least one multi-byte character is read as UTF-8, as today's
// editors save it; any other byte string keeps the classic meaning of one
// Windows-1252 character per byte (so 8-bit characters from the keyboard and
// the line input dialog still read as typed).
#pragma once

#include <cstddef>
#include <string_view>

namespace kelto::text {

enum class Encoding { Utf8, Windows1252 };

Encoding encoding_of(std::string_view text);

// The character that starts at `at` in `text` (which must be read with
// `encoding`), moving `at` past it.
char32_t next_character(std::string_view text, std::size_t &at, Encoding encoding);

// Calls `each` with every character of `text`, in order.
template <class Each>
void for_each_character(std::string_view text, Each each) {
    const Encoding encoding = encoding_of(text);
    for (std::size_t at = 0; at < text.size();) each(next_character(text, at, encoding));
}

}  // namespace kelto::text
