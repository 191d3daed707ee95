// Ellipses too large for exact integer rows (see raster_ellipse.cpp), with
// the same coverage computed row by row in double precision. Only boxes
// thousands of pixels across or corners far beyond any int coordinate come
// here, and only their rows inside the image are computed.
#include <algorithm>
#include <cmath>

#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

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
double reach(const DoubledBox &box, double axis_x, double axis_y, double v, bool strict) {
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
void fill_ring_row(Image &img, const DoubledBox &box, int64_t y, double inner, double outer,
                   uint32_t color) {
    fill_span(img, y, (box.sum_x - outer) / 2, (box.sum_x - inner) / 2 - 1, color);
    fill_span(img, y, (box.sum_x + inner) / 2 + 1, (box.sum_x + outer) / 2, color);
}

}  // namespace

void fill_ellipse_in_doubles(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                             uint32_t color) {
    const DoubledBox box(left, top, right, bottom);
    const RowRange rows = visible_rows(img, static_cast<double>(top), static_cast<double>(bottom));
    for (int64_t y = rows.first; y <= rows.last; ++y) {
        const double u = reach(box, box.span_x + 1, box.span_y + 1, box.row_offset(y), false);
        if (u >= 0) fill_span(img, y, (box.sum_x - u) / 2, (box.sum_x + u) / 2, color);
    }
}

void ellipse_outline_in_doubles(Image &img, int64_t left, int64_t top, int64_t right,
                                int64_t bottom, int width, uint32_t color) {
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

}  // namespace kelto::raster
