// Telling UTF-8 from Windows-1252 text, and reading characters from either.
#include "draw/text_encoding.h"

#include "draw/cp1252.h"

namespace kelto::text {

namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at` (shortest form, no
// surrogates, nothing past U+10FFFF), or 0 if there is none.
std::size_t utf8_length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const std::size_t left = text.size() - at;
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return left >= 2 && is_continuation(byte(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !is_continuation(byte(1)) || !is_continuation(byte(2))) return 0;
        if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
        if (lead == 0xED && byte(1) >= 0xA0) return 0;  // a surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !is_continuation(byte(1)) || !is_continuation(byte(2)) ||
            !is_continuation(byte(3)))
            return 0;
        if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
        if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // past U+10FFFF
        return 4;
    }
    return 0;
}

}  // namespace

Encoding encoding_of(std::string_view text) {
    bool multi_byte = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8_length(text, at);
        if (length == 0) return Encoding::Windows1252;
        multi_byte = multi_byte || length > 1;
        at += length;
    }
    return multi_byte ? Encoding::Utf8 : Encoding::Windows1252;
}

char32_t next_character(std::string_view text, std::size_t &at, Encoding encoding) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = encoding == Encoding::Utf8 ? utf8_length(text, at) : 1;
    if (length <= 1) {
        ++at;
        return cp1252_to_unicode(lead);
    }
    // The lead byte keeps 7 - length bits; each continuation byte gives six.
    char32_t character = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i)
        character = (character << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    at += length;
    return character;
}

}  // namespace kelto::text
