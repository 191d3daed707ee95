// Polygons: scanline fill of the interior and closed outlines.
#include <algorithm>
#include <vector>

#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

// Fills the pixels whose centres lie inside the polygon by the even-odd rule:
// each visible row pairs up the x where it crosses the edges.
void fill_interior(Image &img, const PixelPoint *points, int count, uint32_t color) {
    int64_t top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    const RowRange rows = visible_rows(img, static_cast<double>(top), static_cast<double>(bottom));
    std::vector<double> crossings;
    crossings.reserve(static_cast<size_t>(count));
    for (int64_t y = rows.first; y <= rows.last; ++y) {
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const PixelPoint a = points[i], b = points[(i + 1) % count];
            // Each edge covers the rows from its upper end up to, but not
            // including, its lower end, so a shared vertex counts once.
            if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y)) continue;
            const double rise = static_cast<double>(y) - static_cast<double>(a.y);
            const double run = static_cast<double>(b.x) - static_cast<double>(a.x);
            const double height = static_cast<double>(b.y) - static_cast<double>(a.y);
            crossings.push_back(static_cast<double>(a.x) + rise * run / height);
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            fill_span(img, y, crossings[i], crossings[i + 1], color);
    }
}

}  // namespace

void fill_polygon(Image &img, const PixelPoint *points, int count, uint32_t color) {
    if (points == nullptr || count <= 0) return;
    fill_interior(img, points, count, color);
    polygon_outline(img, points, count, 1, color);
}

void polygon_outline(Image &img, const PixelPoint *points, int count, int width, uint32_t color) {
    if (points == nullptr || count <= 0) return;
    for (int i = 0; i < count; ++i) {
        const PixelPoint a = points[i], b = points[(i + 1) % count];
        if (width > 1) {
            wide_segment(img, a, b, width, color);
        } else {
            thin_line(img, a, b, color);
            set_pixel(img, a.x, a.y, color);
        }
    }
}

}  // namespace kelto::raster
