// Polygons: the even-odd interior with its one-pixel outline, and closed
// outlines. Polygons of up to kMaxEdges corners near the image are drawn row
// by row in exact integers, each row's interior spans and edge strokes joined
// so that every pixel is written once; others are drawn edge by edge, their
// interior in double precision.
#include <algorithm>

#include "draw/polygon_rows.h"
#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

constexpr int kMaxEdges = 16;

bool drawn_by_rows(const PixelPoint *points, int count) {
    if (count > kMaxEdges) return false;
    const auto near = [](int64_t v) {
        return v >= -kMaxPolygonCoordinate && v <= kMaxPolygonCoordinate;
    };
    for (int i = 0; i < count; ++i)
        if (!near(points[i].x) || !near(points[i].y)) return false;
    return true;
}

// Sorts a handful of keys in place.
void sort_keys(int64_t *keys, int count) {
    for (int i = 1; i < count; ++i) {
        const int64_t key = keys[i];
        int j = i;
        for (; j > 0 && key < keys[j - 1]; --j) keys[j] = keys[j - 1];
        keys[j] = key;
    }
}

// The runs of one row. Their columns are kept in two arrays, so that sorting
// moves single values, which the processor forwards from store to load.
class RowRuns {
public:
    static constexpr int kMaxRuns = kMaxEdges / 2 + kMaxEdges;
    void add(int64_t from, int64_t to) {
        first[count] = from;
        last[count] = to;
        ++count;
    }
    void add(ColumnRun run) { add(run.first, run.last); }

    // Fills their union, each pixel once.
    void fill(Image &img, int64_t y, uint32_t color) {
        if (count == 0) return;
        // Usually every run overlaps or touches the first: one span.
        int64_t from = first[0], to = last[0];
        bool one_span = from <= to;
        for (int i = 1; i < count && one_span; ++i) {
            one_span = first[i] <= last[0] + 1 && last[i] >= first[0] - 1;
            from = std::min(from, first[i]);
            to = std::max(to, last[i]);
        }
        if (one_span) {
            fill_span(img, y, from, to, color);
            return;
        }
        fill_sorted(img, y, color);
    }

private:
    void fill_sorted(Image &img, int64_t y, uint32_t color) {
        for (int i = 1; i < count; ++i) {
            const int64_t from = first[i], to = last[i];
            int j = i;
            for (; j > 0 && from < first[j - 1]; --j) {
                first[j] = first[j - 1];
                last[j] = last[j - 1];
            }
            first[j] = from;
            last[j] = to;
        }
        for (int i = 0; i < count;) {
            const int64_t from = first[i];
            int64_t to = last[i];
            for (++i; i < count && first[i] <= to + 1; ++i) to = std::max(to, last[i]);
            fill_span(img, y, from, to, color);
        }
    }

    int64_t first[kMaxRuns];
    int64_t last[kMaxRuns];
    int count = 0;
};

// The two outermost corners, if every corner lies on the line through them.
bool on_one_line(const PixelPoint *points, int count, PixelPoint &from, PixelPoint &to) {
    const auto before = [](PixelPoint a, PixelPoint b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    };
    from = to = points[0];
    for (int i = 1; i < count; ++i) {
        if (before(points[i], from)) from = points[i];
        if (before(to, points[i])) to = points[i];
    }
    const int64_t dx = to.x - from.x, dy = to.y - from.y;
    for (int i = 0; i < count; ++i)
        if ((points[i].x - from.x) * dy != (points[i].y - from.y) * dx) return false;
    return true;
}

// Draws the one-pixel outline, and the interior when asked, row by row.
void draw_rows(Image &img, const PixelPoint *points, int count, bool interior, uint32_t color) {
    // On one line the edges' strokes make up the stroke between the outermost
    // corners, and the interior adds only pixels that line passes through.
    PixelPoint start, end;
    if (on_one_line(points, count, start, end)) {
        thin_line(img, start, end, color);
        set_pixel(img, end.x, end.y, color);
        return;
    }
    SegmentStroke strokes[kMaxEdges];
    EdgeCrossing edges[kMaxEdges];
    int edge_count = 0;
    int64_t top = points[0].y, bottom = points[0].y;
    for (int i = 0; i < count; ++i) {
        const PixelPoint a = points[i], b = points[i + 1 < count ? i + 1 : 0];
        strokes[i].set(a, b);
        if (interior && a.y != b.y) edges[edge_count++].set(a, b);
        top = std::min(top, a.y);
        bottom = std::max(bottom, a.y);
    }
    const int64_t first = std::max<int64_t>(top, 0);
    const int64_t last = std::min<int64_t>(bottom, img.height - 1);
    for (int64_t y = first; y <= last; ++y) {
        RowRuns runs;
        int64_t keys[kMaxEdges];
        int key_count = 0;
        for (int i = 0; i < edge_count; ++i)
            if (y >= edges[i].first_row() && y < edges[i].end_row())
                keys[key_count++] = edges[i].key(y);
        sort_keys(keys, key_count);
        // Pixels from the ceiling of one crossing to the floor of the next.
        for (int i = 0; i + 1 < key_count; i += 2) {
            const int64_t from = (keys[i] >> 1) + (keys[i] & 1), to = keys[i + 1] >> 1;
            if (from <= to) runs.add(from, to);
        }
        for (int i = 0; i < count; ++i)
            if (y >= strokes[i].first_row() && y <= strokes[i].last_row())
                runs.add(strokes[i].columns(y));
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

}  // namespace

void fill_polygon(Image &img, const PixelPoint *points, int count, uint32_t color) {
    if (points == nullptr || count <= 0) return;
    if (drawn_by_rows(points, count)) {
        draw_rows(img, points, count, true, color);
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
    } else if (drawn_by_rows(points, count)) {
        draw_rows(img, points, count, false, color);
    } else {
        outline_by_lines(img, points, count, color);
    }
}

}  // namespace kelto::raster
