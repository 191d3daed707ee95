// A PNG file read back as 0xRRGGBB pixels, row by row from the top, to compare
// what the replay runner wrote with what a display showed. The test links
// libpng (PNG::PNG).
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kelto::test {

struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // empty when the file is missing or not a PNG
};

inline PngPicture read_png(const std::string &path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    PngPicture picture;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        picture.pixels.push_back(uint32_t{rgb[i]} << 16 | uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return picture;
}

}  // namespace kelto::test
