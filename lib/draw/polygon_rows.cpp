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

Slope slope_of(PixelPoint a, PixelPoint b) {
    const int64_t dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    if (dy == 0) return {0, 0};
    if (dx < dy) return {0, dx};
    return {dx / dy, dx % dy};
}

void EdgeCrossing::begin(int64_t y, Slope slope) {
    if (y != top_.y) {
        begin_anywhere(y);
        return;
    }
    // The step is dx / dy, the start one step above the upper end:
    // top.x - dx / dy, the negation of dx / dy - top.x.
    const int64_t dy = bottom_.y - top_.y;
    int64_t step_q = slope.whole, step_r = slope.rest;
    if (bottom_.x < top_.x && step_r != 0)
        step_q = -step_q - 1, step_r = dy - step_r;
    else if (bottom_.x < top_.x)
        step_q = -step_q;
    x_.set_negated(step_q - top_.x, step_r, step_q, step_r, dy);
}

void EdgeCrossing::begin_anywhere(int64_t y) {
    // x = top.x + (y - top.y) * dx / dy, kept over the denominator dy, on the
    // row above y.
    const int64_t dx = bottom_.x - top_.x, dy = bottom_.y - top_.y;
    x_.start(top_.x * dy + (y - 1 - top_.y) * dx, dx, dy);
}

void SegmentStroke::begin(int64_t y, Slope slope) {
    if (y != top_.y || !x_major_ || top_.y == bottom_.y) {
        // A y-major walk starts without dividing anyway.
        begin_anywhere(y);
        return;
    }
    // The last step on the row above the upper end: floor(-major / (2 minor)),
    // with major = whole * minor + rest; the step is major / minor.
    const int64_t half_whole = slope.whole >> 1;
    const int64_t half_rest = (slope.whole & 1) != 0 ? minor_ + slope.rest : slope.rest;
    position_.set_negated(half_whole, half_rest, slope.whole, 2 * slope.rest, 2 * minor_);
}

void SegmentStroke::begin_anywhere(int64_t y) {
    if (top_.y == bottom_.y) return;
    const int64_t k = y - 1 - top_.y;
    if (x_major_)
        // Step i lies on row offset floor((2 i minor + rounding) / (2 major)),
        // so the last step on row offset k is floor((2 major k + major) / (2 minor)).
        position_.start(2 * major_ * k + major_, 2 * major_, 2 * minor_);
    else
        position_.start(2 * minor_ * k + rounding_, 2 * minor_, 2 * major_);
}

}  // namespace kelto::raster
