// Access to the font files that embed_fonts.cmake compiles into the library.
#include "draw/embedded_fonts.h"

#include <cstddef>

namespace kelto::embedded {
extern const unsigned char font_sans[];
extern const std::size_t font_sans_size;
extern const unsigned char font_mono[];
extern const std::size_t font_mono_size;
}  // namespace kelto::embedded

namespace kelto::text {

std::span<const unsigned char> embedded_font(Face face) {
    if (face == Face::Mono) return {embedded::font_mono, embedded::font_mono_size};
    return {embedded::font_sans, embedded::font_sans_size};
}

}  // namespace kelto::text
