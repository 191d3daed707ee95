// The font files built into the library, one per typeface.
#pragma once

#include <span>

#include "draw/font_face.h"

namespace kelto::text {

// The bytes of the TrueType file behind `face`; they live as long as the program.
std::span<const unsigned char> embedded_font(Face face);

}  // namespace kelto::text
