// Edge crossings and segment strokes stepped row by row.
#include "draw/polygon_rows.h"

namespace kelto::raster {

namespace {

// Division rounding towards minus infinity, d > 0.
int64_t floor_div(int64_t n, int64_t d) {
    const int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

// Division rounding towards minus infinity, d > 0, without dividing where
// the quotient is -1 or 0, as it mostly is for the short edges of small shapes.
void split(int64_t n, int64_t d, int64_t &q, int64_t &r) {
    if (n >= 0 && n < d) {
        q = 0, r = n;
    } else if (n < 0 && n >= -d) {
        q = -1, r = n + d;
    } else {
        q = floor_div(n, d);
        r = n - q * d;
    }
}

}  // namespace

void SteppedFraction::start(int64_t numerator, int64_t step, int64_t denominator) {
    d = denominator;
    split(numerator, d, q, r);
    split(step, d, step_q, step_r);
}

void EdgeCrossing::start(int64_t y) {
    // x = top.x + (y - top.y) * dx / dy, kept over the denominator dy.
    const int64_t dx = bottom_.x - top_.x, dy = bottom_.y - top_.y;
    x_.start(top_.x * dy + (y - top_.y) * dx, dx, dy);
    started_ = true;
}

void SegmentStroke::start(int64_t y) {
    const int64_t k = y - 1 - top_.y;
    if (x_major_)
        // Step i lies on row offset floor((2 i minor + rounding) / (2 major)),
        // so the last step on row offset k is floor((2 major k + major) / (2 minor)).
        position_.start(2 * major_ * k + major_, 2 * major_, 2 * minor_);
    else
        position_.start(2 * minor_ * k + rounding_, 2 * minor_, 2 * major_);
    started_ = true;
}

}  // namespace kelto::raster
