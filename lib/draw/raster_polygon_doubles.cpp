// The even-odd interior of polygons whose corners lie too far out for the
// integer rows of raster_polygon.cpp, with each row's crossings computed in
// double precision. Only rows inside the image are computed.
#include <algorithm>
#include <vector>

#include "draw/raster_internal.h"

namespace kelto::raster {

void fill_interior_in_doubles(Image &img, const PixelPoint *points, int count, uint32_t color) {
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

}  // namespace kelto::raster
