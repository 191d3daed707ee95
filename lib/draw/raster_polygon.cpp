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

// The runs of one row, at most a span and three strokes. Their columns are
// kept in two arrays, so that sorting moves single values, which the
// processor forwards from store to load.
class RowRuns {
public:
    void add(int64_t from, int64_t to) {
        first_[count_] = from;
        last_[count_] = to;
        ++count_;
    }
    void add(ColumnRun run) { add(run.first, run.last); }

    // Fills their union, each pixel once.
    void fill(Image &img, int64_t y, uint32_t color) {
        // Usually every run overlaps or touches the first: one span.
        int64_t from = first_[0], to = last_[0];
        bool one_span = true;
        for (int i = 1; i < count_; ++i) {
            one_span = one_span && first_[i] <= last_[0] + 1 && last_[i] >= first_[0] - 1;
            from = std::min(from, first_[i]);
            to = std::max(to, last_[i]);
        }
        if (one_span) {
            fill_span(img, y, from, to, color);
            return;
        }
        fill_sorted(img, y, color);
    }

private:
    void fill_sorted(Image &img, int64_t y, uint32_t color) {
        for (int i = 1; i < count_; ++i) {
            const int64_t from = first_[i], to = last_[i];
            int j = i;
            for (; j > 0 && from < first_[j - 1]; --j) {
                first_[j] = first_[j - 1];
                last_[j] = last_[j - 1];
            }
            first_[j] = from;
            last_[j] = to;
        }
        for (int i = 0; i < count_;) {
            const int64_t from = first_[i];
            int64_t to = last_[i];
            for (++i; i < count_ && first_[i] <= to + 1; ++i) to = std::max(to, last_[i]);
            fill_span(img, y, from, to, color);
        }
    }

    int64_t first_[4];
    int64_t last_[4];
    int count_ = 0;
};

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
    SegmentStroke long_side, upper_side, lower_side;
    long_side.set(top, bottom);
    upper_side.set(top, middle);
    lower_side.set(middle, bottom);
    // Rows from the top down to the middle corner cross the long edge and the
    // upper one, rows below it the long edge and the lower one; the bottom
    // corner's row crosses none.
    EdgeCrossing long_edge, upper_edge, lower_edge;
    if (interior) {
        long_edge.set(top, bottom);
        if (top.y != middle.y) upper_edge.set(top, middle);
        if (middle.y != bottom.y) lower_edge.set(middle, bottom);
    }
    const int64_t first = std::max<int64_t>(top.y, 0);
    const int64_t last = std::min<int64_t>(bottom.y, img.height - 1);
    for (int64_t y = first; y <= last; ++y) {
        RowRuns runs;
        if (interior && y < bottom.y) {
            int64_t a = long_edge.key(y), b = (y < middle.y ? upper_edge : lower_edge).key(y);
            if (a > b) std::swap(a, b);
            // Pixels from the ceiling of one crossing to the floor of the other.
            const int64_t from = (a >> 1) + (a & 1), to = b >> 1;
            if (from <= to) runs.add(from, to);
        }
        runs.add(long_side.columns(y));
        if (y <= middle.y) runs.add(upper_side.columns(y));
        if (y >= middle.y) runs.add(lower_side.columns(y));
        runs.fill(img, y, color);
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
