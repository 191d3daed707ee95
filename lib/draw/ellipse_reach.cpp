// Restarting the exact ellipse reach walker from an estimate.
#include "draw/ellipse_reach.h"

#include <cmath>

namespace kelto::raster {

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
    while (diff_ < least_ && u_ > parity_) {
        u_ -= 2;
        diff_ = difference(u_);
    }
}

int64_t EllipseReach::restart_at_reach() {
    restart();
    for (;;) {
        const int64_t next = diff_ - ay2_ * (4 * u_ + 4);
        if (next < least_) return u_;
        diff_ = next;
        u_ += 2;
    }
}

}  // namespace kelto::raster
