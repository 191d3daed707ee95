// One-pixel lines: an exact digital line walked only over the steps that land
// in the image, so a line's cost is bounded by the visible area.
#include <algorithm>
#include <cmath>

#include "draw/raster_internal.h"

namespace kelto::raster {

namespace {

// Ends this far from the origin are first cut down to the image, which keeps
// the walk's products (twice the steps times the minor delta) within 64 bits.
constexpr int64_t kExactLimit = int64_t{1} << 29;

int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

// Narrows [first, last] to the steps i at which start + step * i lies in 0..extent-1.
void clip_steps(int64_t start, int64_t step, int64_t extent, int64_t &first, int64_t &last) {
    if (step > 0) {
        first = std::max(first, -start);
        last = std::min(last, extent - 1 - start);
    } else if (step < 0) {
        first = std::max(first, start - (extent - 1));
        last = std::min(last, start);
    } else if (start < 0 || start >= extent) {
        last = first - 1;
    }
}

// Walks the digital line from a to b: steps 0..n-1 along the major axis, so
// the end pixel is left out. The minor coordinate is the true one rounded to the
// nearest pixel, ties towards the smaller coordinate, so a line covers the same
// pixels in either direction. Needs |a|, |b| small enough for the products.
void walk(Image &img, PixelPoint a, PixelPoint b, uint32_t color) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y;
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const int64_t n = x_major ? std::abs(dx) : std::abs(dy);
    const int64_t m = x_major ? std::abs(dy) : std::abs(dx);
    if (n == 0) return;
    const int64_t major0 = x_major ? a.x : a.y, minor0 = x_major ? a.y : a.x;
    const int64_t major_step = sign(x_major ? dx : dy), minor_step = sign(x_major ? dy : dx);
    const int64_t major_extent = x_major ? img.width : img.height;
    const int64_t minor_extent = x_major ? img.height : img.width;

    int64_t first = 0, last = n - 1;
    clip_steps(major0, major_step, major_extent, first, last);

    // The minor offset at step i is q(i) = floor((2im + c) / 2n); keep the
    // steps whose offset lands inside the image.
    const int64_t c = n - 1 + (minor_step < 0 ? 1 : 0);
    int64_t q_lo = minor_step >= 0 ? -minor0 : minor0 - (minor_extent - 1);
    int64_t q_hi = minor_step >= 0 ? minor_extent - 1 - minor0 : minor0;
    q_lo = std::max<int64_t>(q_lo, 0);
    q_hi = std::min(q_hi, m);
    if (q_lo > q_hi) return;
    if (q_lo > 0) first = std::max(first, (2 * n * q_lo - c + 2 * m - 1) / (2 * m));
    if (q_hi < m) last = std::min(last, (2 * n * (q_hi + 1) - 1 - c) / (2 * m));
    if (first > last) return;

    // Step through the pixels by their offset in the image: one stride along
    // the major axis each step, one more along the minor axis when it moves.
    const int64_t numerator = 2 * m * first + c;
    int64_t q = numerator / (2 * n), rem = numerator % (2 * n);
    const int64_t major_at = major0 + major_step * first, minor_at = minor0 + minor_step * q;
    const int64_t stride = img.width;
    const int64_t major_stride = x_major ? major_step : major_step * stride;
    const int64_t minor_stride = x_major ? minor_step * stride : minor_step;
    int64_t at = x_major ? minor_at * stride + major_at : major_at * stride + minor_at;
    uint32_t *const pixels = img.pixels.data();
    for (int64_t i = first; i <= last; ++i) {
        pixels[at] = color;
        at += major_stride;
        rem += 2 * m;
        if (rem >= 2 * n) {
            rem -= 2 * n;
            at += minor_stride;
        }
    }
}

bool near_origin(PixelPoint p) {
    return p.x >= -kExactLimit && p.x <= kExactLimit && p.y >= -kExactLimit && p.y <= kExactLimit;
}

// One boundary of the parametric clip: keeps the t in [t0, t1] with p * t <= q.
bool clip_parameter(double p, double q, double &t0, double &t1) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0)
        t0 = std::max(t0, t);
    else
        t1 = std::min(t1, t);
    return t0 <= t1;
}

PixelPoint round_point(const Image &img, double x, double y) {
    x = std::clamp(x, -3.0, img.width + 2.0);
    y = std::clamp(y, -3.0, img.height + 2.0);
    return {std::llround(x), std::llround(y)};
}

}  // namespace

namespace {

// Cuts a far segment to the image grown by two pixels and walks the rest; a
// cut end lies off the image, so leaving it out changes nothing visible.
[[gnu::noinline]] void far_thin_line(Image &img, PixelPoint from, PixelPoint to, uint32_t color) {
    const double x0 = static_cast<double>(from.x), y0 = static_cast<double>(from.y);
    const double dx = static_cast<double>(to.x) - x0, dy = static_cast<double>(to.y) - y0;
    double t0 = 0, t1 = 1;
    if (!clip_parameter(-dx, x0 + 2, t0, t1) || !clip_parameter(dx, img.width + 1.0 - x0, t0, t1) ||
        !clip_parameter(-dy, y0 + 2, t0, t1) || !clip_parameter(dy, img.height + 1.0 - y0, t0, t1))
        return;
    const PixelPoint a = t0 > 0 ? round_point(img, x0 + t0 * dx, y0 + t0 * dy) : from;
    const PixelPoint b = t1 < 1 ? round_point(img, x0 + t1 * dx, y0 + t1 * dy) : to;
    walk(img, a, b, color);
}

}  // namespace

// The far case is out of line: its points would otherwise be moved through
// the stack as wholes, stored in halves, which the processor cannot forward.
void thin_line(Image &img, PixelPoint from, PixelPoint to, uint32_t color) {
    if (near_origin(from) && near_origin(to))
        walk(img, from, to, color);
    else
        far_thin_line(img, from, to, color);
}

void line(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color) {
    if (width > 1)
        wide_segment(img, from, to, width, color);
    else
        thin_line(img, from, to, color);
}

}  // namespace kelto::raster
