// Access to the font files that embed_fonts.cmake assembles into the library.
#include "draw/embedded_fonts.h"

#include <cstdint>

extern "C" {
extern const unsigned char kelto_font_sans[];
extern const unsigned char kelto_font_mono[];
extern const uint64_t kelto_font_sans_size;
extern const uint64_t kelto_font_mono_size;
}

namespace kelto::text {

std::span<const unsigned char> embedded_font(Face face) {
    if (face == Face::Mono) return {kelto_font_mono, static_cast<size_t>(kelto_font_mono_size)};
    return {kelto_font_sans, static_cast<size_t>(kelto_font_sans_size)};
}

}  // namespace kelto::text
