// Block operations on Images shared by the window system and the renderer.
#include "platform/image.h"

#include <algorithm>
#include <cstring>

#include "platform/pixel_fill.h"

namespace kelto {

void copy_area(Image &dst, const Image &src, int64_t left, int64_t top, int64_t right,
               int64_t bottom) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>({right, dst.width, src.width});
    bottom = std::min<int64_t>({bottom, dst.height, src.height});
    if (left >= right || top >= bottom) return;
    const auto bytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
    for (int64_t row = top; row < bottom; ++row)
        std::memcpy(dst.row(static_cast<int>(row)) + left, src.row(static_cast<int>(row)) + left,
                    bytes);
}

void scroll_up(Image &img, int dy) {
    if (dy == 0 || img.width == 0) return;
    const size_t stride = static_cast<size_t>(img.width);
    if (dy >= img.height || dy <= -img.height) return;
    const size_t rows = static_cast<size_t>(img.height - (dy > 0 ? dy : -dy));
    if (dy > 0)
        std::memmove(img.row(0), img.row(dy), rows * stride * 4);
    else
        std::memmove(img.row(-dy), img.row(0), rows * stride * 4);
}

void fill_rect(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
               uint32_t color) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, img.width);
    bottom = std::min<int64_t>(bottom, img.height);
    if (left >= right || top >= bottom) return;
    const auto columns = static_cast<std::size_t>(right - left);
    if (columns == static_cast<std::size_t>(img.width)) {
        // Whole rows lie next to each other: one run.
        fill_pixels(img.row(static_cast<int>(top)),
                    columns * static_cast<std::size_t>(bottom - top), color);
        return;
    }
    for (int64_t y = top; y < bottom; ++y)
        fill_pixels(img.row(static_cast<int>(y)) + left, columns, color);
}

}  // namespace kelto
