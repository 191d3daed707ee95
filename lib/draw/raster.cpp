// Pixels, boxes and the clipped spans every filled shape is made of.
#include <algorithm>
#include <cmath>

#include "draw/raster_internal.h"
#include "pixels/pixel_fill.h"

namespace kelto::raster {

RowRange visible_rows(const Image &img, double top, double bottom) {
    const double first = std::max(std::ceil(top), 0.0);
    const double last = std::min(std::floor(bottom), static_cast<double>(img.height) - 1);
    if (!(first <= last)) return {1, 0};
    return {static_cast<int64_t>(first), static_cast<int64_t>(last)};
}

void fill_span(Image &img, int64_t y, double left, double right, uint32_t color) {
    const double first = std::max(std::ceil(left), 0.0);
    const double last = std::min(std::floor(right), static_cast<double>(img.width) - 1);
    if (!(first <= last)) return;
    fill_span(img, y, static_cast<int64_t>(first), static_cast<int64_t>(last), color);
}

void set_pixel(Image &img, int64_t x, int64_t y, uint32_t color) {
    if (img.contains(x, y)) img.at(static_cast<int>(x), static_cast<int>(y)) = color;
}

Rect box_area(int width, int height, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    order_box(left, top, right, bottom);
    // One past the far corner, kept from overflowing at the end of the range.
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, width - 1) + 1;
    bottom = std::min<int64_t>(bottom, height - 1) + 1;
    if (left >= right || top >= bottom) return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
            static_cast<int>(bottom)};
}

void fill_box(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
              uint32_t color) {
    const Rect area = box_area(img.width, img.height, left, top, right, bottom);
    fill_rect(img, area.left, area.top, area.right, area.bottom, color);
}

void box_outline(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom, int width,
                 uint32_t color) {
    order_box(left, top, right, bottom);
    if (width > 1) {
        const PixelPoint corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        polygon_outline(img, corners, 4, width, color);
        return;
    }
    fill_box(img, left, top, right, top, color);
    fill_box(img, left, bottom, right, bottom, color);
    fill_box(img, left, top, left, bottom, color);
    fill_box(img, right, top, right, bottom, color);
}

}  // namespace kelto::raster
