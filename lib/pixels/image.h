// A plain 32-bit pixel image (0x00RRGGBB, row-major): the surface, every
// window's retained client area and the glyph targets are all Images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelto {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Image() = default;
    Image(int w, int h, uint32_t fill = 0)
        : width(w > 0 ? w : 0),
          height(h > 0 ? h : 0),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    bool contains(int64_t x, int64_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
    uint32_t at(int x, int y) const { return pixels[index(x, y)]; }
    uint32_t &at(int x, int y) { return pixels[index(x, y)]; }
    uint32_t *row(int y) { return pixels.data() + index(0, y); }
    const uint32_t *row(int y) const { return pixels.data() + index(0, y); }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
};

// Copies the columns left..right-1 of rows top..bottom-1 of `src` to the same
// place in `dst`, clipped to both.
void copy_area(Image &dst, const Image &src, int64_t left, int64_t top, int64_t right,
               int64_t bottom);

// Moves the whole image up by `dy` rows (down for negative dy); the rows it
// uncovers keep their old contents, as a window scroll leaves them for redraw.
void scroll_up(Image &img, int dy);

// Fills the rectangle [left, right) x [top, bottom), clipped to the image.
void fill_rect(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
               uint32_t color);

}  // namespace kelto
