// Edge crossings and segment strokes stepped row by row.
#include "draw/polygon_rows.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace kelto::raster {

namespace {

// Division rounding towards minus infinity, d > 0.
int64_t floor_div(int64_t n, int64_t d) {
    const int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

// The upper end first; on one row, the left end first.
std::pair<PixelPoint, PixelPoint> downwards(PixelPoint a, PixelPoint b) {
    if (b.y < a.y || (b.y == a.y && b.x < a.x)) std::swap(a, b);
    return {a, b};
}

}  // namespace

void SteppedFraction::start(int64_t numerator, int64_t step, int64_t denominator) {
    d = denominator;
    q = floor_div(numerator, d);
    r = numerator - q * d;
    step_q = floor_div(step, d);
    step_r = step - step_q * d;
}

void EdgeCrossing::set(PixelPoint a, PixelPoint b) {
    std::tie(top_, bottom_) = downwards(a, b);
    started_ = false;
}

void EdgeCrossing::start(int64_t y) {
    // x = top.x + (y - top.y) * dx / dy, kept over the denominator dy.
    const int64_t dx = bottom_.x - top_.x, dy = bottom_.y - top_.y;
    x_.start(top_.x * dy + (y - top_.y) * dx, dx, dy);
    started_ = true;
}

void SegmentStroke::set(PixelPoint a, PixelPoint b) {
    std::tie(top_, bottom_) = downwards(a, b);
    started_ = false;
    const int64_t dx = bottom_.x - top_.x, dy = bottom_.y - top_.y;
    step_x_ = sign(dx);
    x_major_ = std::abs(dx) >= dy;
    major_ = x_major_ ? std::abs(dx) : dy;
    minor_ = x_major_ ? dy : std::abs(dx);
    // Walking down, an x-major segment's minor steps are positive; a y-major
    // one's go the way of x, and leftwards a tie must round the other way.
    rounding_ = major_ - 1 + (!x_major_ && step_x_ < 0 ? 1 : 0);
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
