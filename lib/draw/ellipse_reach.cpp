// The exact ellipse reach walker.
#include "draw/ellipse_reach.h"

#include <cmath>

namespace kelto::raster {

namespace {

// More steps than this on one row restart the walk from an estimate.
constexpr int kMaxSteps = 4;

}  // namespace

void EllipseReach::restart() {
    // floor(axis_x * sqrt(row) / axis_y), within a step of the true reach.
    u_ = parity_;
    if (row_ > 0) {
        const double estimate = std::sqrt(static_cast<double>(ax2_) * static_cast<double>(row_) /
                                          static_cast<double>(ay2_));
        const auto whole = static_cast<int64_t>(estimate);
        if (whole > parity_) u_ = whole - ((whole - parity_) & 1);
    }
    diff_ = difference(u_);
    while (!fits(diff_) && u_ > parity_) {
        u_ -= 2;
        diff_ = difference(u_);
    }
}

bool EllipseReach::grow(int max_steps) {
    // (u + 2)^2 - u^2 = 4u + 4.
    for (int steps = 0; steps != max_steps; ++steps) {
        const int64_t next = diff_ - ay2_ * (4 * u_ + 4);
        if (!fits(next)) return true;
        diff_ = next;
        u_ += 2;
    }
    return false;
}

int64_t EllipseReach::at(int64_t v) {
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
    if (!fits(diff_)) return none();
    if (!grow(kMaxSteps)) {
        restart();
        grow(-1);
    }
    return u_;
}

}  // namespace kelto::raster
