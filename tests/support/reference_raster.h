// The raster primitives as they were first written, in floating point, kept
// as the reference the optimised ones must match pixel for pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "draw/raster.h"

namespace kelto::reference {

using raster::PixelPoint;

struct RowRange {
    int64_t first;
    int64_t last;
};

inline void order_box(int64_t &left, int64_t &top, int64_t &right, int64_t &bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

inline void fill_rect(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                      uint32_t color) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, img.width);
    bottom = std::min<int64_t>(bottom, img.height);
    if (left >= right) return;
    for (int64_t y = top; y < bottom; ++y)
        std::fill(img.row(static_cast<int>(y)) + left, img.row(static_cast<int>(y)) + right, color);
}

inline void polygon_outline(Image &img, const PixelPoint *points, int count, int width,
                            uint32_t color);
inline void thin_line(Image &img, PixelPoint from, PixelPoint to, uint32_t color);
inline void wide_segment(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color);

// ---------------------------------------------------------------- pixels and boxes

inline RowRange visible_rows(const Image &img, double top, double bottom) {
    const double first = std::max(std::ceil(top), 0.0);
    const double last = std::min(std::floor(bottom), static_cast<double>(img.height) - 1);
    if (!(first <= last)) return {1, 0};
    return {static_cast<int64_t>(first), static_cast<int64_t>(last)};
}

inline void fill_span(Image &img, int64_t y, int64_t left, int64_t right, uint32_t color) {
    if (y < 0 || y >= img.height) return;
    left = std::max<int64_t>(left, 0);
    right = std::min<int64_t>(right, img.width - 1);
    if (left > right) return;
    uint32_t *row = img.row(static_cast<int>(y));
    std::fill(row + left, row + right + 1, color);
}

inline void fill_span(Image &img, int64_t y, double left, double right, uint32_t color) {
    const double first = std::max(std::ceil(left), 0.0);
    const double last = std::min(std::floor(right), static_cast<double>(img.width) - 1);
    if (!(first <= last)) return;
    fill_span(img, y, static_cast<int64_t>(first), static_cast<int64_t>(last), color);
}

inline void set_pixel(Image &img, int64_t x, int64_t y, uint32_t color) {
    if (img.contains(x, y)) img.at(static_cast<int>(x), static_cast<int>(y)) = color;
}

inline void fill_box(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                     uint32_t color) {
    order_box(left, top, right, bottom);
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, img.width - 1);
    bottom = std::min<int64_t>(bottom, img.height - 1);
    if (left > right || top > bottom) return;
    if (left == 0 && right == img.width - 1) {
        // Whole rows lie next to each other: one contiguous run.
        uint32_t *first = img.row(static_cast<int>(top));
        std::fill(first, first + (bottom - top + 1) * img.width, color);
        return;
    }
    reference::fill_rect(img, left, top, right + 1, bottom + 1, color);
}

inline void box_outline(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                        int width, uint32_t color) {
    order_box(left, top, right, bottom);
    if (width > 1) {
        const PixelPoint corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        reference::polygon_outline(img, corners, 4, width, color);
        return;
    }
    reference::fill_box(img, left, top, right, top, color);
    reference::fill_box(img, left, bottom, right, bottom, color);
    reference::fill_box(img, left, top, left, bottom, color);
    reference::fill_box(img, right, top, right, bottom, color);
}

// ---------------------------------------------------------------- ellipse

// A box in doubled units: centre (sum_x / 2, sum_y / 2), the doubled distances
// from the centre to the edge pixels' centres, and the parity every offset u
// shares with the box's width.
struct DoubledBox {
    double sum_x, sum_y, span_x, span_y, parity;

    DoubledBox(int64_t left, int64_t top, int64_t right, int64_t bottom)
        : sum_x(static_cast<double>(left) + static_cast<double>(right)),
          sum_y(static_cast<double>(top) + static_cast<double>(bottom)),
          span_x(static_cast<double>(right) - static_cast<double>(left)),
          span_y(static_cast<double>(bottom) - static_cast<double>(top)),
          parity(static_cast<double>((left ^ right) & 1)) {}

    // The doubled offset of row y from the centre.
    double row_offset(int64_t y) const { return 2 * static_cast<double>(y) - sum_y; }

    // The marker for "no pixel on this row", below every real offset.
    double none() const { return parity - 2; }
};

// The largest offset u (of the box's parity) on a row at doubled offset v
// inside the ellipse with doubled semi-axes axis_x, axis_y: on or inside it,
// or strictly inside when `strict`; none() when the row holds no such pixel.
inline double reach(const DoubledBox &box, double axis_x, double axis_y, double v, bool strict) {
    if (axis_x <= 0 || axis_y <= 0) return box.none();
    const double q = v / axis_y;
    const double t = 1 - q * q;
    if (t < 0 || (strict && t == 0)) return box.none();
    const double half = axis_x * std::sqrt(t);
    double u = strict ? std::ceil(half) - 1 : std::floor(half);
    const double half_steps = (u - box.parity) / 2;
    if (half_steps != std::floor(half_steps)) u -= 1;
    return std::max(u, box.none());
}

// Fills the pixels of row y whose offsets u have inner < |u| <= outer.
inline void fill_ring_row(Image &img, const DoubledBox &box, int64_t y, double inner, double outer,
                          uint32_t color) {
    fill_span(img, y, (box.sum_x - outer) / 2, (box.sum_x - inner) / 2 - 1, color);
    fill_span(img, y, (box.sum_x + inner) / 2 + 1, (box.sum_x + outer) / 2, color);
}

inline void fill_ellipse(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                         uint32_t color) {
    order_box(left, top, right, bottom);
    const DoubledBox box(left, top, right, bottom);
    const RowRange rows = visible_rows(img, static_cast<double>(top), static_cast<double>(bottom));
    for (int64_t y = rows.first; y <= rows.last; ++y) {
        const double u = reach(box, box.span_x + 1, box.span_y + 1, box.row_offset(y), false);
        if (u >= 0) fill_span(img, y, (box.sum_x - u) / 2, (box.sum_x + u) / 2, color);
    }
}

inline void ellipse_outline(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                            int width, uint32_t color) {
    order_box(left, top, right, bottom);
    const DoubledBox box(left, top, right, bottom);
    if (width <= 1) {
        // The pixels of the filled ellipse with a 4-neighbour outside it.
        const double axis_x = box.span_x + 1, axis_y = box.span_y + 1;
        const RowRange rows =
            visible_rows(img, static_cast<double>(top), static_cast<double>(bottom));
        for (int64_t y = rows.first; y <= rows.last; ++y) {
            const double v = box.row_offset(y);
            const double outer = reach(box, axis_x, axis_y, v, false);
            if (outer < 0) continue;
            const double inner = std::min({outer - 2, reach(box, axis_x, axis_y, v - 2, false),
                                           reach(box, axis_x, axis_y, v + 2, false)});
            fill_ring_row(img, box, y, inner, outer, color);
        }
        return;
    }
    // The pixels inside the ellipse grown by half the width and not strictly
    // inside the one shrunk by half the width: exactly `width` pixels across.
    const double w = width;
    const RowRange rows =
        visible_rows(img, (box.sum_y - box.span_y - w) / 2, (box.sum_y + box.span_y + w) / 2);
    for (int64_t y = rows.first; y <= rows.last; ++y) {
        const double v = box.row_offset(y);
        const double outer = reach(box, box.span_x + w, box.span_y + w, v, true);
        if (outer < 0) continue;
        const double inner = reach(box, box.span_x - w, box.span_y - w, v, true);
        fill_ring_row(img, box, y, inner, outer, color);
    }
}

// ---------------------------------------------------------------- polygon

// Fills the pixels whose centres lie inside the polygon by the even-odd rule:
// each visible row pairs up the x where it crosses the edges.
inline void fill_interior(Image &img, const PixelPoint *points, int count, uint32_t color) {
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

inline void fill_polygon(Image &img, const PixelPoint *points, int count, uint32_t color) {
    if (points == nullptr || count <= 0) return;
    fill_interior(img, points, count, color);
    reference::polygon_outline(img, points, count, 1, color);
}

inline void polygon_outline(Image &img, const PixelPoint *points, int count, int width,
                            uint32_t color) {
    if (points == nullptr || count <= 0) return;
    for (int i = 0; i < count; ++i) {
        const PixelPoint a = points[i], b = points[(i + 1) % count];
        if (width > 1) {
            wide_segment(img, a, b, width, color);
        } else {
            thin_line(img, a, b, color);
            reference::set_pixel(img, a.x, a.y, color);
        }
    }
}

// ---------------------------------------------------------------- lines

// Ends this far from the origin are first cut down to the image, which keeps
// the walk's products (twice the steps times the minor delta) within 64 bits.
inline constexpr int64_t kExactLimit = int64_t{1} << 29;

inline int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

// Narrows [first, last] to the steps i at which start + step * i lies in 0..extent-1.
inline void clip_steps(int64_t start, int64_t step, int64_t extent, int64_t &first, int64_t &last) {
    if (step > 0) {
        first = std::max(first, -start);
        last = std::min(last, extent - 1 - start);
    } else if (step < 0) {
        first = std::max(first, start - (extent - 1));
        last = std::min(last, start);
    } else if (start < 0 || start >= extent) {
        last = first - 1;
    }
}

// Walks the digital line from a to b: steps 0..n-1 along the major axis, so
// the end pixel is left out. The minor coordinate is the true one rounded to the
// nearest pixel, ties towards the smaller coordinate, so a line covers the same
// pixels in either direction. Needs |a|, |b| small enough for the products.
inline void walk(Image &img, PixelPoint a, PixelPoint b, uint32_t color) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y;
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const int64_t n = x_major ? std::abs(dx) : std::abs(dy);
    const int64_t m = x_major ? std::abs(dy) : std::abs(dx);
    if (n == 0) return;
    const int64_t major0 = x_major ? a.x : a.y, minor0 = x_major ? a.y : a.x;
    const int64_t major_step = sign(x_major ? dx : dy), minor_step = sign(x_major ? dy : dx);
    const int64_t major_extent = x_major ? img.width : img.height;
    const int64_t minor_extent = x_major ? img.height : img.width;

    int64_t first = 0, last = n - 1;
    clip_steps(major0, major_step, major_extent, first, last);

    // The minor offset at step i is q(i) = floor((2im + c) / 2n); keep the
    // steps whose offset lands inside the image.
    const int64_t c = n - 1 + (minor_step < 0 ? 1 : 0);
    int64_t q_lo = minor_step >= 0 ? -minor0 : minor0 - (minor_extent - 1);
    int64_t q_hi = minor_step >= 0 ? minor_extent - 1 - minor0 : minor0;
    q_lo = std::max<int64_t>(q_lo, 0);
    q_hi = std::min(q_hi, m);
    if (q_lo > q_hi) return;
    if (q_lo > 0) first = std::max(first, (2 * n * q_lo - c + 2 * m - 1) / (2 * m));
    if (q_hi < m) last = std::min(last, (2 * n * (q_hi + 1) - 1 - c) / (2 * m));
    if (first > last) return;

    const int64_t numerator = 2 * m * first + c;
    int64_t q = numerator / (2 * n), rem = numerator % (2 * n);
    for (int64_t i = first; i <= last; ++i) {
        const int major = static_cast<int>(major0 + major_step * i);
        const int minor = static_cast<int>(minor0 + minor_step * q);
        (x_major ? img.at(major, minor) : img.at(minor, major)) = color;
        rem += 2 * m;
        if (rem >= 2 * n) {
            rem -= 2 * n;
            ++q;
        }
    }
}

inline bool near_origin(PixelPoint p) {
    return p.x >= -kExactLimit && p.x <= kExactLimit && p.y >= -kExactLimit && p.y <= kExactLimit;
}

// One boundary of the parametric clip: keeps the t in [t0, t1] with p * t <= q.
inline bool clip_parameter(double p, double q, double &t0, double &t1) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0)
        t0 = std::max(t0, t);
    else
        t1 = std::min(t1, t);
    return t0 <= t1;
}

inline PixelPoint round_point(const Image &img, double x, double y) {
    x = std::clamp(x, -3.0, img.width + 2.0);
    y = std::clamp(y, -3.0, img.height + 2.0);
    return {std::llround(x), std::llround(y)};
}

inline void thin_line(Image &img, PixelPoint from, PixelPoint to, uint32_t color) {
    if (near_origin(from) && near_origin(to)) {
        walk(img, from, to, color);
        return;
    }
    // Cut the segment to the image grown by two pixels and walk the rest; a
    // cut end lies off the image, so leaving it out changes nothing visible.
    const double x0 = static_cast<double>(from.x), y0 = static_cast<double>(from.y);
    const double dx = static_cast<double>(to.x) - x0, dy = static_cast<double>(to.y) - y0;
    double t0 = 0, t1 = 1;
    if (!clip_parameter(-dx, x0 + 2, t0, t1) || !clip_parameter(dx, img.width + 1.0 - x0, t0, t1) ||
        !clip_parameter(-dy, y0 + 2, t0, t1) || !clip_parameter(dy, img.height + 1.0 - y0, t0, t1))
        return;
    const PixelPoint a = t0 > 0 ? round_point(img, x0 + t0 * dx, y0 + t0 * dy) : from;
    const PixelPoint b = t1 < 1 ? round_point(img, x0 + t1 * dx, y0 + t1 * dy) : to;
    walk(img, a, b, color);
}

inline void line(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color) {
    if (width > 1)
        wide_segment(img, from, to, width, color);
    else
        thin_line(img, from, to, color);
}

// ---------------------------------------------------------------- stroke

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

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
inline void cover_disc(Interval &span, double cx, double cy, double r, double y) {
    const double dy = y - cy;
    if (dy * dy > r * r) return;
    const double half = std::sqrt(r * r - dy * dy);
    span.cover(cx - half, cx + half);
}

// Narrows [lo, hi] to the s with lo_bound <= s * k <= hi_bound.
inline bool bound(double k, double lo_bound, double hi_bound, double &lo, double &hi) {
    if (k == 0) return lo_bound <= 0 && 0 <= hi_bound;
    const double a = lo_bound / k, b = hi_bound / k;
    lo = std::max(lo, std::min(a, b));
    hi = std::min(hi, std::max(a, b));
    return lo <= hi;
}

inline void wide_segment(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color) {
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

}  // namespace kelto::reference
