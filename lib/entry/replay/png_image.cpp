// Encoding Images as PNG with libpng's simplified interface, which writes no
// time or other varying chunk, so the same picture gives the same bytes.
#include "replay/png_image.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace kelto::replay {

std::string png_bytes(const Image &image) {
    std::vector<png_byte> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const uint32_t pixel : image.pixels) {
        rgb.push_back(static_cast<png_byte>(pixel >> 16));
        rgb.push_back(static_cast<png_byte>(pixel >> 8));
        rgb.push_back(static_cast<png_byte>(pixel));
    }
    png_image info{};
    info.version = PNG_IMAGE_VERSION;
    info.width = static_cast<png_uint_32>(image.width);
    info.height = static_cast<png_uint_32>(image.height);
    info.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&info, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&info, bytes.data(), &size, 0, rgb.data(), 0, nullptr))
        return {};
    bytes.resize(size);
    return bytes;
}

}  // namespace kelto::replay
