// Wide pens: the round-capped stroke of one segment, filled row by row as the
// span where each row's centre line crosses the stroke.
#include <algorithm>
#include <cmath>
#include <limits>

#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// An interval of x; empty while lo > hi.
struct Interval {
    double lo = kInfinity;
    double hi = -kInfinity;

    void cover(double from, double to) {
        lo = std::min(lo, from);
        hi = std::max(hi, to);
    }
};

// Where row y crosses the disc of radius r around (cx, cy).
void cover_disc(Interval &span, double cx, double cy, double r, double y) {
    const double dy = y - cy;
    if (dy * dy > r * r) return;
    const double half = std::sqrt(r * r - dy * dy);
    span.cover(cx - half, cx + half);
}

// Narrows [lo, hi] to the s with lo_bound <= s * k <= hi_bound.
bool bound(double k, double lo_bound, double hi_bound, double &lo, double &hi) {
    if (k == 0) return lo_bound <= 0 && 0 <= hi_bound;
    const double a = lo_bound / k, b = hi_bound / k;
    lo = std::max(lo, std::min(a, b));
    hi = std::min(hi, std::max(a, b));
    return lo <= hi;
}

}  // namespace

void wide_segment(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color) {
    const double shift = width % 2 == 0 ? 0.5 : 0.0;
    const double ax = static_cast<double>(from.x) - shift, ay = static_cast<double>(from.y) - shift;
    const double bx = static_cast<double>(to.x) - shift, by = static_cast<double>(to.y) - shift;
    const double r = width / 2.0;
    const double dx = bx - ax, dy = by - ay;
    const double length = std::sqrt(dx * dx + dy * dy);

    const RowRange rows = visible_rows(img, std::min(ay, by) - r, std::max(ay, by) + r);
    for (int64_t y = rows.first; y <= rows.last; ++y) {
        const double row = static_cast<double>(y);
        Interval span;
        cover_disc(span, ax, ay, r, row);
        cover_disc(span, bx, by, r, row);
        // The body: points s along the row (x = ax + s) whose projection falls
        // on the segment and whose distance from its line is at most r.
        const double e = row - ay;
        double lo = -kInfinity, hi = kInfinity;
        if (length > 0 && bound(dx, -e * dy, length * length - e * dy, lo, hi) &&
            bound(-dy, -r * length - e * dx, r * length - e * dx, lo, hi))
            span.cover(ax + lo, ax + hi);
        fill_span(img, y, span.lo, span.hi, color);
    }
}

}  // namespace kelto::raster
