// Building blocks shared by the raster primitives: clipped spans, the thin
// line walker, the round-capped wide stroke of one segment, and the rows in
// double precision for shapes too far out for exact integer rows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "draw/raster.h"
#include "pixels/pixel_fill.h"

namespace kelto::raster {

// Rows first..last inclusive; empty when first > last.
struct RowRange {
    int64_t first;
    int64_t last;
};

// Puts a box's corners in order, so that left <= right and top <= bottom.
inline void order_box(int64_t &left, int64_t &top, int64_t &right, int64_t &bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

// The image rows whose centres lie in [top, bottom] (any doubles).
RowRange visible_rows(const Image &img, double top, double bottom);

// Fills columns left..right inclusive of row y, clipped to the image.
inline void fill_span(Image &img, int64_t y, int64_t left, int64_t right, uint32_t color) {
    if (y < 0 || y >= img.height) return;
    left = std::max<int64_t>(left, 0);
    right = std::min<int64_t>(right, img.width - 1);
    if (left > right) return;
    fill_pixels(img.row(static_cast<int>(y)) + left, static_cast<std::size_t>(right - left + 1),
                color);
}

// Fills the pixels of row y whose centres lie in [left, right] (any doubles).
void fill_span(Image &img, int64_t y, double left, double right, uint32_t color);

// fill_ellipse and ellipse_outline for boxes too large for exact integer rows,
// row by row in double precision. The box's corners are in order.
void fill_ellipse_in_doubles(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                             uint32_t color);
void ellipse_outline_in_doubles(Image &img, int64_t left, int64_t top, int64_t right,
                                int64_t bottom, int width, uint32_t color);

// The even-odd interior of a polygon whose corners lie too far out for exact
// integer rows, row by row in double precision (no outline).
void fill_interior_in_doubles(Image &img, const PixelPoint *points, int count, uint32_t color);

// One-pixel line from `from` to `to`, leaving out the end pixel.
void thin_line(Image &img, PixelPoint from, PixelPoint to, uint32_t color);

// Covers the pixels whose centres lie within width / 2 of the segment; even
// widths take the segment half a pixel up and to the left. For width > 1.
void wide_segment(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color);

}  // namespace kelto::raster
