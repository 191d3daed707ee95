// How far an ellipse reaches along its rows, in exact integer arithmetic.
//
// Offsets are doubled (half-pixel units) from the ellipse's centre, as in
// raster_ellipse.cpp: u across, v down, axes to the outer edges. The reach at
// a row is the largest u of the given parity with (u / axis_x)^2 +
// (v / axis_y)^2 <= 1 (< 1 when strict), that is with
//   axis_x^2 (axis_y^2 - v^2) - u^2 axis_y^2 >= 0 (> 0),
// and the walker keeps that difference as it goes: rows are asked for from the
// outermost inwards, so the reach only grows and each row costs one multiply
// plus a step per growth of u. One square root starts the walk and restarts it
// after a long jump, so no row costs more than a few steps.
#pragma once

#include <cstdint>

namespace kelto::raster {

class EllipseReach {
public:
    // Axes and row offsets up to this size keep every product within 62 bits.
    static constexpr int64_t kMaxAxis = int64_t{1} << 15;

    // Axes at most kMaxAxis (zero or less: no row holds a pixel); parity 0 or 1.
    EllipseReach(int64_t axis_x, int64_t axis_y, int64_t parity, bool strict)
        : ax2_(axis_x * axis_x),
          ay2_(axis_y * axis_y),
          parity_(parity),
          least_(strict ? 1 : 0),
          empty_(axis_x <= 0 || axis_y <= 0) {}

    // The offset that marks "no pixel on this row", below every real reach.
    int64_t none() const { return parity_ - 2; }

    // The reach at row offset +v or -v (|v| at most kMaxAxis), or none(). Each
    // call must pass a smaller |v| than the one before.
    int64_t at(int64_t v) {
        if (empty_) return none();
        const int64_t row = ay2_ - v * v;
        if (!started_) {
            started_ = true;
            row_ = row;
            restart();
        } else {
            diff_ += ax2_ * (row - row_);
            row_ = row;
        }
        if (diff_ < least_) return none();
        // Grow u while the next offset of its parity fits: (u + 2)^2 - u^2 = 4u + 4.
        for (int steps = 0;; ++steps) {
            const int64_t next = diff_ - ay2_ * (4 * u_ + 4);
            if (next < least_) return u_;
            if (steps == kMaxSteps) return restart_at_reach();
            diff_ = next;
            u_ += 2;
        }
    }

private:
    // More steps than this on one row restart the walk from an estimate.
    static constexpr int kMaxSteps = 4;

    // The difference for offset u at the current row.
    int64_t difference(int64_t u) const { return ax2_ * row_ - u * u * ay2_; }
    // Finds the largest fitting u at the current row from a floating-point
    // estimate, or leaves u at the parity when none fits.
    void restart();
    // restart() on a row known to hold pixels; returns the reach.
    int64_t restart_at_reach();

    int64_t ax2_, ay2_, parity_;
    int64_t least_;  // the smallest difference that fits: 1 when strict
    bool empty_;
    bool started_ = false;
    int64_t row_ = 0;  // axis_y^2 - v^2 at the current row
    int64_t u_ = 0;    // at least parity_; the reach while diff_ >= least_
    int64_t diff_ = 0;
};

}  // namespace kelto::raster
