// Pictures as PNG files: 8-bit RGB, written with libpng.
#pragma once

#include <string>

#include "pixels/image.h"

namespace kelto::replay {

// The PNG bytes of `image` (0x00RRGGBB pixels); empty if libpng fails.
std::string png_bytes(const Image &image);

}  // namespace kelto::replay
