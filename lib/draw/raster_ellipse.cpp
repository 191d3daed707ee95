// Ellipses inscribed in inclusive boxes, filled and stroked as spans per row.
//
// Geometry is kept in doubled units (half pixels) so that the centre of a box
// of even size, which lies between pixels, stays exact: a pixel x sits at
// offset u = 2x - (left + right) from the centre, and the semi-axis to the
// centre of the box's edge pixel is (right - left) doubled units. The filled
// ellipse covers the pixels whose centres lie inside the ellipse that touches
// the outer edges of the box, so a box 2r + 1 pixels across gives a disc
// exactly that wide. Each row's span is symmetric about the centre by
// construction, so every ellipse is symmetric in both directions.
//
// Rows are visited in pairs mirrored about the centre, from the outermost
// inwards, and their reach is computed exactly in integers (EllipseReach);
// boxes too large for that go to the double-precision rows. Small filled
// ellipses read their reach from a table per box size, kept for the sizes
// drawn lately: a frame draws the same few sizes again and again, and the
// walker's steps, a varying number per row, cost more than the row's stores.
#include <algorithm>
#include <array>
#include <vector>

#include "draw/ellipse_reach.h"
#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

// Corners beyond this keep sums of coordinates far from overflowing.
constexpr int64_t kMaxCorner = int64_t{1} << 40;

struct Box {
    int64_t sum_x, sum_y, span_x, span_y;
};

// The box in doubled units if its integer rows are exact for axes grown by `grow`.
bool exact_box(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t grow, Box &box) {
    for (const int64_t corner : {left, top, right, bottom})
        if (corner < -kMaxCorner || corner > kMaxCorner) return false;
    box = {left + right, top + bottom, right - left, bottom - top};
    return box.span_x + grow <= EllipseReach::kMaxAxis &&
           box.span_y + grow <= EllipseReach::kMaxAxis;
}

// The image rows at doubled distance v above and below the centre row, if
// they lie in the rows asked for: one when v is 0, none for nullptr.
struct MirroredRows {
    uint32_t *upper;
    uint32_t *lower;
};

// Calls each(v, rows) for every v = |2y - sum_y| of the image rows y in
// first..last, from the outermost inwards.
template <class Each>
void rows_inwards(Image &img, int64_t first, int64_t last, int64_t sum_y, Each each) {
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, img.height - 1);
    if (first > last) return;
    const int64_t to_first = 2 * first - sum_y, to_last = 2 * last - sum_y;
    const int64_t outermost = std::max(std::abs(to_first), std::abs(to_last));
    int64_t innermost = sum_y & 1;
    if (to_first > 0) innermost = to_first;
    if (to_last < 0) innermost = -to_last;
    for (int64_t v = outermost; v >= innermost; v -= 2) {
        // sum_y - v and sum_y + v are even.
        const int64_t upper = (sum_y - v) >> 1, lower = (sum_y + v) >> 1;
        each(v, MirroredRows{upper >= first ? img.row(static_cast<int>(upper)) : nullptr,
                             lower <= last && v != 0 ? img.row(static_cast<int>(lower)) : nullptr});
    }
}

// Fills columns left..right of the mirrored rows, clipped to the image.
void fill_columns(const Image &img, MirroredRows rows, int64_t left, int64_t right,
                  uint32_t color) {
    left = std::max<int64_t>(left, 0);
    right = std::min<int64_t>(right, img.width - 1);
    if (left > right) return;
    const auto count = static_cast<std::size_t>(right - left + 1);
    if (rows.upper) fill_pixels(rows.upper + left, count, color);
    if (rows.lower) fill_pixels(rows.lower + left, count, color);
}

// Fills the pixels of the mirrored rows whose offsets u have inner < |u| <= outer.
void fill_ring(const Image &img, const Box &box, MirroredRows rows, int64_t inner, int64_t outer,
               uint32_t color) {
    if (inner < 0) {
        fill_columns(img, rows, (box.sum_x - outer) >> 1, (box.sum_x + outer) >> 1, color);
        return;
    }
    fill_columns(img, rows, (box.sum_x - outer) >> 1, ((box.sum_x - inner) >> 1) - 1, color);
    fill_columns(img, rows, ((box.sum_x + inner) >> 1) + 1, (box.sum_x + outer) >> 1, color);
}

// The reach at every row offset of the filled ellipses of a few box sizes.
class ReachTables {
public:
    // Boxes with at most this span (pixels across or down, less one) have tables.
    static constexpr int64_t kMaxSpan = 256;

    // The reach of the filled ellipse in a box of these spans (at most
    // kMaxSpan) at row offset v is at [v / 2]: v has the parity of span_y.
    const int32_t *find(int64_t span_x, int64_t span_y) {
        for (const Table &table : tables_)
            if (table.span_x == span_x && table.span_y == span_y) return table.reach.data();
        Table &table = tables_[next_];
        next_ = (next_ + 1) % kTables;
        table.span_x = span_x;
        table.span_y = span_y;
        table.reach.resize(static_cast<std::size_t>(span_y / 2 + 1));
        EllipseReach reach(span_x + 1, span_y + 1, span_x & 1, false);
        for (int64_t v = span_y; v >= 0; v -= 2)
            table.reach[static_cast<std::size_t>(v / 2)] = static_cast<int32_t>(reach.at(v));
        return table.reach.data();
    }

private:
    static constexpr std::size_t kTables = 8;
    struct Table {
        int64_t span_x = -1;
        int64_t span_y = -1;
        std::vector<int32_t> reach;
    };
    std::array<Table, kTables> tables_;
    std::size_t next_ = 0;
};

// Made on first use and never destroyed, like the module's other state.
ReachTables &reach_tables() {
    static ReachTables *const tables = new ReachTables;
    return *tables;
}

}  // namespace

void fill_ellipse(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                  uint32_t color) {
    order_box(left, top, right, bottom);
    Box box;
    if (!exact_box(left, top, right, bottom, 1, box)) {
        fill_ellipse_in_doubles(img, left, top, right, bottom, color);
        return;
    }
    if (box.span_x <= ReachTables::kMaxSpan && box.span_y <= ReachTables::kMaxSpan) {
        const int32_t *const reach = reach_tables().find(box.span_x, box.span_y);
        rows_inwards(img, top, bottom, box.sum_y, [&](int64_t v, MirroredRows rows) {
            const int64_t u = reach[v >> 1];
            if (u >= 0) fill_columns(img, rows, (box.sum_x - u) >> 1, (box.sum_x + u) >> 1, color);
        });
        return;
    }
    EllipseReach reach(box.span_x + 1, box.span_y + 1, box.span_x & 1, false);
    rows_inwards(img, top, bottom, box.sum_y, [&](int64_t v, MirroredRows rows) {
        const int64_t u = reach.at(v);
        if (u >= 0) fill_columns(img, rows, (box.sum_x - u) >> 1, (box.sum_x + u) >> 1, color);
    });
}

void ellipse_outline(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                     int width, uint32_t color) {
    order_box(left, top, right, bottom);
    const int64_t pen = std::max(width, 1);
    Box box;
    if (!exact_box(left, top, right, bottom, pen, box)) {
        ellipse_outline_in_doubles(img, left, top, right, bottom, width, color);
        return;
    }
    const int64_t parity = box.span_x & 1;
    if (pen == 1) {
        // The pixels of the filled ellipse with a 4-neighbour outside it: the
        // row further out reaches least far, so the ring's inside is bounded
        // by it and by the row's own reach less one pixel.
        EllipseReach reach(box.span_x + 1, box.span_y + 1, parity, false);
        int64_t outer = reach.none(), reached_v = -1;
        rows_inwards(img, top, bottom, box.sum_y, [&](int64_t v, MirroredRows rows) {
            const int64_t further_out = reached_v == v + 2 ? outer : reach.at(v + 2);
            outer = reach.at(v);
            reached_v = v;
            if (outer >= 0)
                fill_ring(img, box, rows, std::min(outer - 2, further_out), outer, color);
        });
        return;
    }
    // The pixels inside the ellipse grown by half the width and not strictly
    // inside the one shrunk by half the width: exactly `width` pixels across.
    EllipseReach outer_reach(box.span_x + pen, box.span_y + pen, parity, true);
    EllipseReach inner_reach(box.span_x - pen, box.span_y - pen, parity, true);
    rows_inwards(img, top - pen / 2, bottom + pen / 2, box.sum_y,
                 [&](int64_t v, MirroredRows rows) {
                     const int64_t outer = outer_reach.at(v), inner = inner_reach.at(v);
                     if (outer >= 0) fill_ring(img, box, rows, inner, outer, color);
                 });
}

}  // namespace kelto::raster
