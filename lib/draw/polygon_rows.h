// Triangles row by row in exact integers: where each edge crosses a row's
// centre line, for the even-odd interior, and the columns each edge's
// one-pixel stroke takes on a row, for the outline. Both are stepped from
// row to row without dividing; rows are asked for from the top down.
//
// The stroke of an edge is the digital segment of thin_line (raster_lines.cpp)
// with both ends: its minor coordinate is the true one rounded to the nearest
// pixel, ties towards the smaller coordinate, which is the same in either
// direction, so each edge is walked downwards. Coordinates must lie within
// kMaxPolygonCoordinate, where every product stays within 52 bits.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "draw/raster.h"

namespace kelto::raster {

inline constexpr int64_t kMaxPolygonCoordinate = int64_t{1} << 24;

// Columns first..last of one row; empty when first > last.
struct ColumnRun {
    int64_t first;
    int64_t last;
};

// Sets top and bottom to the ends, the upper first, on one row the left
// first. Field by field, and inline with the callers: a point moved whole
// through memory is stored in halves and read back at once, which the
// processor cannot forward.
inline void order_ends(PixelPoint a, PixelPoint b, PixelPoint &top, PixelPoint &bottom) {
    const bool swap = b.y < a.y || (b.y == a.y && b.x < a.x);
    top.x = swap ? b.x : a.x;
    top.y = swap ? b.y : a.y;
    bottom.x = swap ? a.x : b.x;
    bottom.y = swap ? a.y : b.y;
}

// A quotient and remainder stepped by a constant fraction: value q + r / d
// with 0 <= r < d. Set by start() or set_negated() before use.
struct SteppedFraction {
    int64_t q, r;
    int64_t step_q, step_r, d;

    // Starts at numerator / d and steps by step / d (d > 0).
    void start(int64_t numerator, int64_t step, int64_t denominator);
    // Starts at -(value / d), for a value already split as whole + rest / d,
    // and steps by step_whole + step_rest / d.
    void set_negated(int64_t whole, int64_t rest, int64_t step_whole, int64_t step_rest,
                     int64_t denominator) {
        d = denominator;
        q = rest == 0 ? -whole : -whole - 1;
        r = rest == 0 ? 0 : d - rest;
        step_q = step_whole;
        step_r = step_rest;
    }
    void advance() {
        q += step_q;
        r += step_r;
        if (r >= d) r -= d, ++q;
    }
};

// An edge's |dx| / dy as a whole part and a remainder (dy > 0): the one
// division that both walks of an edge need when they begin at its upper end.
struct Slope {
    int64_t whole;  // |dx| = whole * dy + rest
    int64_t rest;   // 0 <= rest < dy
};

// The slope of the edge between a and b, in either order; {0, 0} for a
// horizontal edge.
Slope slope_of(PixelPoint a, PixelPoint b);

// Where a non-horizontal edge crosses the centre lines of the rows from its
// upper end down to, not including, its lower end, so a shared vertex counts
// once for the even-odd rule.
// Placeholders until set() and begin(), which make them in place.
class EdgeCrossing {
public:
    void set(PixelPoint a, PixelPoint b) { order_ends(a, b, top_, bottom_); }
    // Places the walk so that next() gives row y, any row; the edge's slope
    // spares the division at its upper end.
    void begin(int64_t y, Slope slope);
    // The crossing on the next row down as a key: twice its floor, plus one
    // if it is not a whole column. Keys order crossings as far as columns
    // can tell them apart.
    int64_t next() {
        x_.advance();
        return 2 * x_.q + (x_.r > 0 ? 1 : 0);
    }

private:
    void begin_anywhere(int64_t y);

    PixelPoint top_, bottom_;
    SteppedFraction x_;
};

// The one-pixel stroke of a segment, both ends included, row by row.
// Placeholders until set() and begin(), which make them in place.
class SegmentStroke {
public:
    void set(PixelPoint a, PixelPoint b) {
        order_ends(a, b, top_, bottom_);
        const int64_t dx = bottom_.x - top_.x, dy = bottom_.y - top_.y;
        step_x_ = (dx > 0) - (dx < 0);
        x_major_ = std::abs(dx) >= dy;
        major_ = x_major_ ? std::abs(dx) : dy;
        minor_ = x_major_ ? dy : std::abs(dx);
        // Walking down, an x-major segment's minor steps are positive; a
        // y-major one's go the way of x, and leftwards a tie must round the
        // other way.
        rounding_ = major_ - 1 + (!x_major_ && step_x_ < 0 ? 1 : 0);
    }
    // Places the walk so that next() gives row y, between its ends; the
    // segment's slope spares the division at its upper end.
    void begin(int64_t y, Slope slope);
    // Its columns on the next row down.
    ColumnRun next() {
        if (top_.y == bottom_.y) return {top_.x, bottom_.x};
        if (!x_major_) {
            position_.advance();
            const int64_t x = top_.x + step_x_ * position_.q;
            return {x, x};
        }
        // The steps after the last one on the row above, up to the last on this one.
        const int64_t first = std::max<int64_t>(position_.q + 1, 0);
        position_.advance();
        const int64_t last = std::min(position_.q, major_);
        const int64_t a = top_.x + step_x_ * first, b = top_.x + step_x_ * last;
        return {std::min(a, b), std::max(a, b)};
    }

private:
    void begin_anywhere(int64_t y);

    PixelPoint top_, bottom_;
    int64_t step_x_;         // -1, 0 or 1
    int64_t major_, minor_;  // steps along the longer and the shorter axis
    int64_t rounding_;       // added to the numerator: ties go to the smaller coordinate
    bool x_major_;
    // x-major: the last step on the current row. y-major: the column offset.
    SteppedFraction position_;
};

}  // namespace kelto::raster
