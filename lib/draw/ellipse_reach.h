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
          strict_(strict),
          empty_(axis_x <= 0 || axis_y <= 0) {}

    // The offset that marks "no pixel on this row", below every real reach.
    int64_t none() const { return parity_ - 2; }

    // The reach at row offset +v or -v (|v| at most kMaxAxis), or none(). Each
    // call must pass a smaller |v| than the one before.
    int64_t at(int64_t v);

private:
    bool fits(int64_t difference) const { return strict_ ? difference > 0 : difference >= 0; }
    // The difference for offset u at the current row.
    int64_t difference(int64_t u) const { return ax2_ * row_ - u * u * ay2_; }
    // Finds the reach at the current row from a floating-point estimate.
    void restart();
    // Raises u while the next offset of its parity fits, at most max_steps
    // times (no limit when negative); false if the limit stopped it.
    bool grow(int max_steps);

    int64_t ax2_, ay2_, parity_;
    bool strict_, empty_;
    bool started_ = false;
    int64_t row_ = 0;  // axis_y^2 - v^2 at the current row
    int64_t u_ = 0;    // at least parity_; the reach while fits(diff_)
    int64_t diff_ = 0;
};

}  // namespace kelto::raster
