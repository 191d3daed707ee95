// Polygons: the even-odd interior with its one-pixel outline, and closed
// outlines. Triangles, the polygons the renderer draws, are drawn row by row
// in exact integers when their corners lie near the image: each row's
// interior span and edge strokes are joined, so that every pixel is written
// once. Other polygons are drawn edge by edge, their interior in double
// precision.
#include <algorithm>
#include <utility>

#include "draw/polygon_rows.h"
#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

bool near_image(PixelPoint p) {
    return p.x >= -kMaxPolygonCoordinate && p.x <= kMaxPolygonCoordinate &&
           p.y >= -kMaxPolygonCoordinate && p.y <= kMaxPolygonCoordinate;
}

// The union of a row's runs, each pixel once, when they are not one span:
// sorted by their first column, then merged.
[[gnu::noinline]] void fill_union_sorted(Image &img, int64_t y, ColumnRun *runs, int count,
                                         uint32_t color) {
    std::sort(runs, runs + count,
              [](const ColumnRun &a, const ColumnRun &b) { return a.first < b.first; });
    for (int i = 0; i < count;) {
        const int64_t from = runs[i].first;
        int64_t to = runs[i].last;
        for (++i; i < count && runs[i].first <= to + 1; ++i) to = std::max(to, runs[i].last);
        fill_span(img, y, from, to, color);
    }
}

// Fills the union of a row's runs: the interior span (or, without one, a
// stroke again) first, then the strokes, none of them empty. Usually every
// run overlaps or touches the first, and the union is one span.
template <std::size_t Count>
void fill_union(Image &img, int64_t y, ColumnRun (&runs)[Count], uint32_t color) {
    int64_t from = runs[0].first, to = runs[0].last;
    bool one_span = true;
    for (std::size_t i = 1; i < Count; ++i) {
        one_span =
            one_span && runs[i].first <= runs[0].last + 1 && runs[i].last >= runs[0].first - 1;
        from = std::min(from, runs[i].first);
        to = std::max(to, runs[i].last);
    }
    if (one_span)
        fill_span(img, y, from, to, color);
    else
        fill_union_sorted(img, y, runs, static_cast<int>(Count), color);
}

// The columns between two crossing keys: from the ceiling of one crossing to
// the floor of the other; the stroke stands in when that is empty.
ColumnRun interior_or(int64_t a, int64_t b, ColumnRun stroke) {
    if (a > b) std::swap(a, b);
    const int64_t from = (a >> 1) + (a & 1), to = b >> 1;
    return from <= to ? ColumnRun{from, to} : stroke;
}

// The corners ordered from the top, left first on a row.
void order_corners(PixelPoint &a, PixelPoint &b, PixelPoint &c) {
    const auto above = [](PixelPoint p, PixelPoint q) {
        return p.y < q.y || (p.y == q.y && p.x < q.x);
    };
    if (above(b, a)) std::swap(a, b);
    if (above(c, b)) std::swap(b, c);
    if (above(b, a)) std::swap(a, b);
}

// Draws the triangle's one-pixel outline, and its interior when asked, row
// by row. Corners on one line draw the stroke between the outermost two,
// which holds the other edges' strokes and every pixel the line passes
// through, all the interior there is.
void triangle_rows(Image &img, PixelPoint top, PixelPoint middle, PixelPoint bottom, bool interior,
                   uint32_t color) {
    order_corners(top, middle, bottom);
    if ((middle.x - top.x) * (bottom.y - top.y) == (middle.y - top.y) * (bottom.x - top.x)) {
        const auto before = [](PixelPoint p, PixelPoint q) {
            return p.x < q.x || (p.x == q.x && p.y < q.y);
        };
        PixelPoint start = top, end = top;
        for (const PixelPoint p : {middle, bottom}) {
            if (before(p, start)) start = p;
            if (before(end, p)) end = p;
        }
        thin_line(img, start, end, color);
        set_pixel(img, end.x, end.y, color);
        return;
    }
    const int64_t first = std::max<int64_t>(top.y, 0);
    const int64_t last = std::min<int64_t>(bottom.y, img.height - 1);
    if (first > last) return;
    // Rows above the middle corner cross the long edge and the upper one,
    // rows from it on the long edge and the lower one; the bottom corner's
    // row crosses none. Each walk begins on the first row it serves.
    SegmentStroke long_side, upper_side, lower_side;
    EdgeCrossing long_edge, upper_edge, lower_edge;
    const Slope long_slope = slope_of(top, bottom), upper_slope = slope_of(top, middle),
                lower_slope = slope_of(middle, bottom);
    long_side.set(top, bottom);
    upper_side.set(top, middle);
    lower_side.set(middle, bottom);
    long_side.begin(first, long_slope);
    if (first <= middle.y) upper_side.begin(first, upper_slope);
    if (interior) {
        long_edge.set(top, bottom);
        long_edge.begin(first, long_slope);
    }
    int64_t y = first;
    const int64_t above_middle = std::min(middle.y - 1, last);
    if (y <= above_middle) {
        if (interior) {
            upper_edge.set(top, middle);
            upper_edge.begin(y, upper_slope);
        }
        for (; y <= above_middle; ++y) {
            const ColumnRun long_run = long_side.next(), upper_run = upper_side.next();
            ColumnRun runs[] = {long_run, long_run, upper_run};
            if (interior) runs[0] = interior_or(long_edge.next(), upper_edge.next(), long_run);
            fill_union(img, y, runs, color);
        }
    }
    if (y > last) return;
    lower_side.begin(y, lower_slope);
    const bool lower_crossed = interior && middle.y != bottom.y;
    if (lower_crossed) {
        lower_edge.set(middle, bottom);
        lower_edge.begin(y, lower_slope);
    }
    if (y == middle.y) {
        // The middle corner's row holds both short edges' strokes.
        const ColumnRun long_run = long_side.next();
        ColumnRun runs[] = {long_run, long_run, upper_side.next(), lower_side.next()};
        if (lower_crossed) runs[0] = interior_or(long_edge.next(), lower_edge.next(), long_run);
        fill_union(img, y, runs, color);
        ++y;
    }
    for (const int64_t above_bottom = std::min(bottom.y - 1, last); y <= above_bottom; ++y) {
        const ColumnRun long_run = long_side.next(), lower_run = lower_side.next();
        ColumnRun runs[] = {long_run, long_run, lower_run};
        if (interior) runs[0] = interior_or(long_edge.next(), lower_edge.next(), long_run);
        fill_union(img, y, runs, color);
    }
    if (y == bottom.y && y <= last) {
        ColumnRun runs[] = {long_side.next(), lower_side.next()};
        fill_union(img, y, runs, color);
    }
}

// Every edge's thin line, leaving out its end, and every corner.
void outline_by_lines(Image &img, const PixelPoint *points, int count, uint32_t color) {
    for (int i = 0; i < count; ++i) {
        thin_line(img, points[i], points[(i + 1) % count], color);
        set_pixel(img, points[i].x, points[i].y, color);
    }
}

bool triangle_by_rows(const PixelPoint *points, int count) {
    return count == 3 && near_image(points[0]) && near_image(points[1]) && near_image(points[2]);
}

}  // namespace

void fill_polygon(Image &img, const PixelPoint *points, int count, uint32_t color) {
    if (points == nullptr || count <= 0) return;
    if (triangle_by_rows(points, count)) {
        triangle_rows(img, points[0], points[1], points[2], true, color);
        return;
    }
    fill_interior_in_doubles(img, points, count, color);
    outline_by_lines(img, points, count, color);
}

void polygon_outline(Image &img, const PixelPoint *points, int count, int width, uint32_t color) {
    if (points == nullptr || count <= 0) return;
    if (width > 1) {
        for (int i = 0; i < count; ++i)
            wide_segment(img, points[i], points[(i + 1) % count], width, color);
    } else if (triangle_by_rows(points, count)) {
        triangle_rows(img, points[0], points[1], points[2], false, color);
    } else {
        outline_by_lines(img, points, count, color);
    }
}

}  // namespace kelto::raster
