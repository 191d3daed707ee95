// Block operations on Images shared by the window system and the renderer.
#include "pixels/image.h"

#include <algorithm>
#include <cstring>

#include "pixels/pixel_fill.h"

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

namespace {

// A box this close to the image's width is filled as one run through the
// pixels between its rows, which are kept aside and put back: one long run
// goes at the processor's string-store speed, which writes whole cache lines
// without reading them, where separate row runs are about a third slower.
constexpr std::size_t kMaxBridgedGap = 8;
constexpr int64_t kBridgedRows = 128;

// Fills rows [top, bottom) of columns [left, left + columns) in bands of
// kBridgedRows rows, each band as one run. Each gap is kept as a block of
// kMaxBridgedGap pixels, a copy of fixed size that needs no library call:
// the block's pixels past the gap begin the next row's part of the box, so
// they are put back with the box's colour.
void fill_bridged(Image &img, int64_t left, int64_t top, int64_t bottom, std::size_t columns,
                  uint32_t color) {
    constexpr std::size_t block = kMaxBridgedGap;
    const std::size_t stride = static_cast<std::size_t>(img.width);
    const std::size_t gap = stride - columns;
    uint32_t kept[block * (kBridgedRows - 1)];
    for (int64_t band = top; band < bottom; band += kBridgedRows) {
        const auto rows = static_cast<std::size_t>(std::min(bottom - band, kBridgedRows));
        uint32_t *const first = img.row(static_cast<int>(band)) + left;
        for (std::size_t i = 0; i + 1 < rows; ++i) {
            uint32_t *const saved = kept + i * block;
            std::memcpy(saved, first + i * stride + columns, block * sizeof(uint32_t));
            std::fill(saved + gap, saved + block, color);
        }
        fill_pixels(first, (rows - 1) * stride + columns, color);
        for (std::size_t i = 0; i + 1 < rows; ++i)
            std::memcpy(first + i * stride + columns, kept + i * block, block * sizeof(uint32_t));
    }
}

}  // namespace

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
    // The next row's part of the box must hold a whole kept block.
    if (static_cast<std::size_t>(img.width) - columns <= kMaxBridgedGap &&
        columns >= kMaxBridgedGap) {
        fill_bridged(img, left, top, bottom, columns, color);
        return;
    }
    for (int64_t y = top; y < bottom; ++y)
        fill_pixels(img.row(static_cast<int>(y)) + left, columns, color);
}

}  // namespace kelto
