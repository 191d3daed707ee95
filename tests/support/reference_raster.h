// The coverage rules of the raster primitives (docs/internals.md, "Coverage
// rules") written as predicates: for each primitive, does the shape cover the
// pixel whose centre is (x, y)? Every pixel is decided on its own from the
// rule, in exact integer arithmetic, without spans, rows or walks, so the
// library is checked against something that shares none of its algorithms.
// Slow by design: ask it about small images.
//
// A verdict also says whether the pixel's centre lies so near a boundary of
// the rule that computing the rule in double precision may decide it either
// way ("close"): the margin a judge may allow the library where it leaves
// integers for doubles, and no more.
#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "draw/raster.h"
#include "support/wide_integer.h"

namespace kelto::reference {

using raster::PixelPoint;

// Coordinates within these bounds, on images up to 2^12 pixels a side and
// with pens of any int width, keep every product of the rules below 2^126,
// so __int128 serves them; Wide serves the rest. Ellipses and wide pens
// multiply four coordinates, lines and polygon edges two.
inline constexpr int64_t kNarrowQuartic = int64_t{1} << 28;
inline constexpr int64_t kNarrowQuadratic = int64_t{1} << 60;

inline bool narrow(int64_t limit, std::initializer_list<int64_t> coordinates) {
    return std::all_of(coordinates.begin(), coordinates.end(),
                       [=](int64_t v) { return v >= -limit && v <= limit; });
}

// A rounding in double precision errs by a few units in the 53rd bit of the
// largest magnitude it handles; a centre within 2^-48 of that magnitude of a
// boundary is close.
inline constexpr int kCloseBits = 48;

// The largest magnitude among the values, at least 1 (|INT64_MIN| is taken
// as INT64_MAX: the difference is far below the margin).
inline int64_t largest(std::initializer_list<int64_t> values) {
    int64_t most = 1;
    for (const int64_t v : values) most = std::max(most, v < -INT64_MAX ? INT64_MAX : std::abs(v));
    return most;
}

// ---------------------------------------------------------------- verdicts

struct Verdict {
    bool covered = false;
    bool close = false;
};

// The rule for one part of a shape, asked pixel by pixel (of an image, so
// that doubling a coordinate cannot overflow).
using Coverage = std::function<Verdict(int64_t x, int64_t y)>;

// A shape is the union of its parts: a polygon's interior and edges, a wide
// path's segments, or the one rule of a simpler shape.
using Parts = std::vector<Coverage>;

// Builds the rule over __int128 when every coordinate is narrow, else over Wide.
template <template <class> class Rule, class... Args>
Coverage exact_rule(bool is_narrow, const Args &...args) {
    if (is_narrow) return Rule<__int128>(args...);
    return Rule<Wide>(args...);
}

// ---------------------------------------------------------------- pixels and boxes

// A box's corners in order: left <= right, top <= bottom.
struct Box {
    int64_t left, top, right, bottom;

    Box(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
        : left(std::min(x1, x2)),
          top(std::min(y1, y2)),
          right(std::max(x1, x2)),
          bottom(std::max(y1, y2)) {}

    bool contains(int64_t x, int64_t y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// ---------------------------------------------------------------- thin lines

// Where a pixel lies against the line from a to b, in the line's own terms:
// major is the axis of the larger of |dx| and |dy| (x on a tie), steps its
// length. The pixel's major coordinate lies along / steps of the way from a
// to b, and its minor coordinate lies across / steps pixels from the true
// line's there (positive: a larger coordinate).
template <class Int>
struct LinePosition {
    Int along, across, steps;
};

template <class Int>
class LineFrame {
public:
    LineFrame(PixelPoint a, PixelPoint b)
        : a_(a),
          dx_(Int(b.x) - Int(a.x)),
          dy_(Int(b.y) - Int(a.y)),
          x_major_(magnitude(dx_) >= magnitude(dy_)) {}

    LinePosition<Int> at(int64_t x, int64_t y) const {
        const Int rx = Int(x) - Int(a_.x), ry = Int(y) - Int(a_.y);
        const Int major = x_major_ ? dx_ : dy_;
        // x-major: (y - y_true) * dx = ry dx - rx dy; y-major: (x - x_true) * dy.
        LinePosition<Int> p{x_major_ ? rx : ry,
                            x_major_ ? ry * dx_ - rx * dy_ : rx * dy_ - ry * dx_, magnitude(major)};
        if (sign_of(major) < 0) p.along = -p.along, p.across = -p.across;
        return p;
    }

private:
    PixelPoint a_;
    Int dx_, dy_;
    bool x_major_;
};

// The one-pixel line: for each major coordinate from a's (included) to b's
// (left out), the pixel whose minor coordinate lies nearest the true line,
// the smaller one on a tie: -1/2 <= offset < 1/2. A polygon's edge has its
// end pixel too.
template <class Int>
class ThinLine {
public:
    ThinLine(PixelPoint a, PixelPoint b, bool with_end)
        : frame_(a, b), b_(b), with_end_(with_end) {}

    Verdict operator()(int64_t x, int64_t y) const {
        if (with_end_ && x == b_.x && y == b_.y) return {true, false};
        const LinePosition<Int> p = frame_.at(x, y);
        const Int twice = p.across + p.across;
        return {sign_of(p.along) >= 0 && p.along < p.steps && -p.steps <= twice && twice < p.steps,
                false};
    }

private:
    LineFrame<Int> frame_;
    PixelPoint b_;
    bool with_end_;
};

// Where a line whose ends were moved by up to half a pixel each may put its
// pixels: between the ends (both included) and within 3/2 of the true line
// along the minor axis, each widened by the rounding margin.
template <class Int>
class LineNeighbourhood {
public:
    LineNeighbourhood(PixelPoint a, PixelPoint b)
        : frame_(a, b), slack_(largest({a.x, a.y, b.x, b.y}) >> kCloseBits) {}

    Verdict operator()(int64_t x, int64_t y) const {
        const LinePosition<Int> p = frame_.at(x, y);
        const Int twice = p.across + p.across;
        return {p.along >= -slack_ && p.along <= p.steps + slack_ &&
                    magnitude(twice) <= (Int(3) + slack_ + slack_) * p.steps,
                false};
    }

private:
    LineFrame<Int> frame_;
    Int slack_;  // in whole pixels
};

inline Coverage thin_line(PixelPoint a, PixelPoint b, bool with_end) {
    return exact_rule<ThinLine>(narrow(kNarrowQuadratic, {a.x, a.y, b.x, b.y}), a, b, with_end);
}

inline Coverage line_neighbourhood(PixelPoint a, PixelPoint b) {
    return exact_rule<LineNeighbourhood>(narrow(kNarrowQuadratic, {a.x, a.y, b.x, b.y}), a, b);
}

// ---------------------------------------------------------------- wide pens

// The pixels whose centres lie within width / 2 of the segment from a to b,
// both taken half a pixel up and to the left for even widths. In doubled
// units (half pixels) every point involved is whole: the centre is (2x, 2y),
// the ends 2a - s and 2b - s, and the radius the width.
template <class Int>
class WideSegment {
public:
    WideSegment(PixelPoint a, PixelPoint b, int width)
        : ax_(Int(a.x) + Int(a.x) - Int(shift(width))),
          ay_(Int(a.y) + Int(a.y) - Int(shift(width))),
          dx_(Int(b.x) + Int(b.x) - Int(a.x) - Int(a.x)),
          dy_(Int(b.y) + Int(b.y) - Int(a.y) - Int(a.y)),
          length2_(dx_ * dx_ + dy_ * dy_),
          radius2_(Int(width) * Int(width)),
          // A centre within 2^-48 of the scale of the boundary: |d^2 - r^2| <= 2 r delta.
          slack_(Int(width) * (Int(largest({a.x, a.y, b.x, b.y})) * Int(2) + Int(width)) >>
                 (kCloseBits - 1)),
          body_radius2_(radius2_ * length2_),
          body_slack_(slack_ * length2_) {
        // Beyond the radius and that margin, and a unit more, from the ends'
        // box, a centre is neither covered nor close.
        const __int128 reach =
            __int128{width} + 2 +
            ((__int128{largest({a.x, a.y, b.x, b.y})} * 2 + width) >> kCloseBits);
        const __int128 s = shift(width);
        left_ = __int128{std::min(a.x, b.x)} * 2 - s - reach;
        right_ = __int128{std::max(a.x, b.x)} * 2 - s + reach;
        top_ = __int128{std::min(a.y, b.y)} * 2 - s - reach;
        bottom_ = __int128{std::max(a.y, b.y)} * 2 - s + reach;
    }

    Verdict operator()(int64_t x, int64_t y) const {
        if (2 * x < left_ || 2 * x > right_ || 2 * y < top_ || 2 * y > bottom_) return {};
        const Int px = Int(2 * x) - ax_, py = Int(2 * y) - ay_;
        const Int along = px * dx_ + py * dy_;
        if (sign_of(length2_) == 0 || sign_of(along) <= 0)
            return judge(px * px + py * py - radius2_, slack_);
        if (along >= length2_) {
            const Int qx = px - dx_, qy = py - dy_;
            return judge(qx * qx + qy * qy - radius2_, slack_);
        }
        // Beside the body: d^2 - r^2 times length^2.
        const Int cross = px * dy_ - py * dx_;
        return judge(cross * cross - body_radius2_, body_slack_);
    }

private:
    static int64_t shift(int width) { return width % 2 == 0 ? 1 : 0; }
    static Verdict judge(const Int &excess, const Int &slack) {
        return {sign_of(excess) <= 0, magnitude(excess) <= slack};
    }

    Int ax_, ay_, dx_, dy_, length2_, radius2_, slack_, body_radius2_, body_slack_;
    __int128 left_, right_, top_, bottom_;  // in doubled units
};

inline Coverage wide_segment(PixelPoint a, PixelPoint b, int width) {
    return exact_rule<WideSegment>(narrow(kNarrowQuartic, {a.x, a.y, b.x, b.y}), a, b, width);
}

// ---------------------------------------------------------------- ellipses

// Where a centre lies against an ellipse about the centre of a box: in
// doubled units the centre is at offset u = 2x - (left + right), v = 2y -
// (top + bottom), and the ellipse's semi-axes are the box's spans (right -
// left, bottom - top) plus `grow`. The sign of u^2 q^2 + v^2 p^2 - p^2 q^2:
// negative inside, zero on it; an ellipse with a semi-axis of 0 or less has
// no inside.
struct Side {
    int sign;
    bool close;
};

template <class Int>
class EllipseSide {
public:
    EllipseSide(const Box &box, int64_t grow)
        : sum_x_(Int(box.left) + Int(box.right)),
          sum_y_(Int(box.top) + Int(box.bottom)),
          p_(Int(box.right) - Int(box.left) + Int(grow)),
          q_(Int(box.bottom) - Int(box.top) + Int(grow)),
          pp_(p_ * p_),
          qq_(q_ * q_),
          ppqq_(pp_ * qq_),
          slack_(ppqq_ >> kCloseBits) {}

    Side at(int64_t x, int64_t y) const {
        if (sign_of(p_) <= 0 || sign_of(q_) <= 0) return {1, false};
        const Int u = Int(2 * x) - sum_x_, v = Int(2 * y) - sum_y_;
        const Int f = u * u * qq_ + v * v * pp_ - ppqq_;
        return {sign_of(f), magnitude(f) <= slack_};
    }

private:
    Int sum_x_, sum_y_, p_, q_, pp_, qq_, ppqq_, slack_;
};

// The filled ellipse: centres on or inside the ellipse through the outer
// edges of the box's edge pixels. Its one-pixel outline is the fill's pixels
// with a 4-neighbour outside the fill.
template <class Int>
class FilledEllipse {
public:
    FilledEllipse(const Box &box, bool outline) : fill_(box, 1), outline_(outline) {}

    Verdict operator()(int64_t x, int64_t y) const {
        const Side centre = fill_.at(x, y);
        Verdict v{centre.sign <= 0, centre.close};
        if (!outline_) return v;
        bool outside_next = false;
        const std::pair<int64_t, int64_t> neighbours[] = {
            {x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto &[nx, ny] : neighbours) {
            const Side s = fill_.at(nx, ny);
            outside_next = outside_next || s.sign > 0;
            v.close = v.close || s.close;
        }
        v.covered = v.covered && outside_next;
        return v;
    }

private:
    EllipseSide<Int> fill_;
    bool outline_;
};

// A wider outline: centres strictly inside the ellipse grown by half the pen
// (the width, in doubled units) and not strictly inside the one shrunk by it.
template <class Int>
class WideEllipseRing {
public:
    WideEllipseRing(const Box &box, int width) : outer_(box, width), inner_(box, -int64_t{width}) {}

    Verdict operator()(int64_t x, int64_t y) const {
        const Side out = outer_.at(x, y), in = inner_.at(x, y);
        return {out.sign < 0 && in.sign >= 0, out.close || in.close};
    }

private:
    EllipseSide<Int> outer_, inner_;
};

inline bool narrow(const Box &b) {
    return narrow(kNarrowQuartic, {b.left, b.top, b.right, b.bottom});
}

// ---------------------------------------------------------------- polygons

// The even-odd interior: a non-horizontal edge crosses the rows from its upper
// end up to, not including, its lower end; a row's crossings pair up, sorted,
// into closed intervals, and a centre inside one of them is inside. That is:
// an odd number of crossings lie left of the centre, or one lies on it.
template <class Int>
class EvenOddInterior {
public:
    explicit EvenOddInterior(std::vector<PixelPoint> corners) : corners_(std::move(corners)) {
        for (const PixelPoint p : corners_) scale_ = std::max(scale_, largest({p.x, p.y}));
    }

    Verdict operator()(int64_t x, int64_t y) const {
        int left = 0;
        bool on = false, close = false;
        const Int scale = Int(std::max(scale_, largest({x, y})));
        for (std::size_t i = 0; i < corners_.size(); ++i) {
            const PixelPoint a = corners_[i], b = corners_[(i + 1) % corners_.size()];
            if (y < std::min(a.y, b.y) || y >= std::max(a.y, b.y)) continue;
            // (x - crossing) times the edge's height, signed as x - crossing.
            Int height = Int(b.y) - Int(a.y);
            Int offset = (Int(x) - Int(a.x)) * height - (Int(y) - Int(a.y)) * (Int(b.x) - Int(a.x));
            if (sign_of(height) < 0) height = -height, offset = -offset;
            left += sign_of(offset) > 0 ? 1 : 0;
            on = on || sign_of(offset) == 0;
            // |x - crossing| <= scale * 2^-48, kept within the narrow range.
            close = close || magnitude(offset) <= (scale * height) >> kCloseBits;
        }
        return {left % 2 == 1 || on, close};
    }

private:
    std::vector<PixelPoint> corners_;
    int64_t scale_ = 1;
};

inline std::vector<PixelPoint> corners_of(const PixelPoint *points, int count) {
    if (points == nullptr || count <= 0) return {};
    return {points, points + count};
}

// ---------------------------------------------------------------- the primitives

inline Parts set_pixel(int64_t px, int64_t py) {
    return {[=](int64_t x, int64_t y) { return Verdict{x == px && y == py, false}; }};
}

inline Parts fill_box(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    const Box b(left, top, right, bottom);
    return {[=](int64_t x, int64_t y) { return Verdict{b.contains(x, y), false}; }};
}

// A closed path with a wide pen: one segment per edge, the last back to the first.
inline Parts wide_closed_path(const std::vector<PixelPoint> &corners, int width) {
    Parts segments;
    for (std::size_t i = 0; i < corners.size(); ++i)
        segments.push_back(wide_segment(corners[i], corners[(i + 1) % corners.size()], width));
    return segments;
}

// A one-pixel outline is the box's first and last columns and rows.
inline Parts box_outline(int64_t left, int64_t top, int64_t right, int64_t bottom, int width) {
    const Box b(left, top, right, bottom);
    if (width > 1)
        return wide_closed_path(
            {{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}}, width);
    return {[=](int64_t x, int64_t y) {
        const bool edge = x == b.left || x == b.right || y == b.top || y == b.bottom;
        return Verdict{b.contains(x, y) && edge, false};
    }};
}

inline Parts fill_ellipse(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    const Box b(left, top, right, bottom);
    return {exact_rule<FilledEllipse>(narrow(b), b, false)};
}

inline Parts ellipse_outline(int64_t left, int64_t top, int64_t right, int64_t bottom, int width) {
    const Box b(left, top, right, bottom);
    if (width <= 1) return {exact_rule<FilledEllipse>(narrow(b), b, true)};
    return {exact_rule<WideEllipseRing>(narrow(b), b, width)};
}

// The edges of a closed polygon, each with both ends; with a wide pen, its path.
inline Parts polygon_outline(const PixelPoint *points, int count, int width) {
    const std::vector<PixelPoint> corners = corners_of(points, count);
    if (width > 1) return wide_closed_path(corners, width);
    Parts edges;
    for (std::size_t i = 0; i < corners.size(); ++i)
        edges.push_back(thin_line(corners[i], corners[(i + 1) % corners.size()], true));
    return edges;
}

// The interior first, then the edges of the one-pixel outline in order.
inline Parts fill_polygon(const PixelPoint *points, int count) {
    const std::vector<PixelPoint> corners = corners_of(points, count);
    if (corners.empty()) return {};
    Parts parts = polygon_outline(points, count, 1);
    const bool is_narrow = std::all_of(corners.begin(), corners.end(), [](PixelPoint p) {
        return narrow(kNarrowQuadratic, {p.x, p.y});
    });
    parts.insert(parts.begin(), exact_rule<EvenOddInterior>(is_narrow, corners));
    return parts;
}

inline Parts line(PixelPoint from, PixelPoint to, int width) {
    if (width > 1) return {wide_segment(from, to, width)};
    return {thin_line(from, to, false)};
}

}  // namespace kelto::reference
