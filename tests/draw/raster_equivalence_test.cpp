// The raster primitives against their coverage rules (support/reference_raster.h):
// every shape must set exactly the pixels its rule gives, over every small
// size, all directions, clipped and degenerate cases, and shapes out to the
// extremes of the coordinate range. Where the library leaves exact integers
// for double precision, the judge allows it its rounding and nothing more.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "draw/raster.h"
#include "support/reference_raster.h"

namespace {

using kelto::Image;
using kelto::raster::PixelPoint;
namespace now = kelto::raster;
namespace ref = kelto::reference;

constexpr uint32_t kPaper = 0x00FFFFFF;
constexpr uint32_t kInk = 0x00336699;

// ---------------------------------------------------------------- the judge

// Where the library leaves exact integers: ellipses with a corner beyond
// 2^40 or a span grown by the pen beyond 2^15, polygons with a corner beyond
// 2^24 (their interiors; those of polygons other than triangles are always
// computed in doubles, but exactly within 2^24, where a crossing's fraction,
// a multiple of 1/2^25 at the least, stays far above the rounding), thin
// lines with an end beyond 2^29. Wide pens are always computed in doubles.
constexpr int64_t kExactEllipseCorner = int64_t{1} << 40;
constexpr int64_t kExactEllipseAxis = int64_t{1} << 15;
constexpr int64_t kExactPolygonCorner = int64_t{1} << 24;
constexpr int64_t kExactLineEnd = int64_t{1} << 29;

bool within(int64_t limit, std::initializer_list<int64_t> values) {
    for (const int64_t v : values)
        if (v < -limit || v > limit) return false;
    return true;
}

// How the library computes a part of a shape, and so which of its pixels may
// differ from the rule: none; those whose centres lie within rounding
// distance of the rule's boundary; those near a far thin line, which the
// library cuts to the image and walks between its cut ends rounded to whole
// pixels; or any, for a part computed in doubles from coordinates of 2^47 or
// more, where the rounding margin reaches half a pixel and the judge no longer
// holds the fallback to the rule (the test still draws it, for the sanitizers).
enum class Computed { Exactly, InDoubles, CutAndRounded, Unplaced };

constexpr int64_t kPlacedLimit = int64_t{1} << (ref::kCloseBits - 1);

struct Part {
    ref::Coverage rule;
    Computed how = Computed::Exactly;
    ref::Coverage moved;  // CutAndRounded: where the moved line may lie
};

using Judged = std::vector<Part>;

Judged computed(const ref::Parts &parts, Computed how) {
    Judged judged;
    for (const ref::Coverage &rule : parts) judged.push_back({rule, how, nullptr});
    return judged;
}

// A part the library computes in doubles from these coordinates.
Computed in_doubles(std::initializer_list<int64_t> coordinates) {
    return within(kPlacedLimit - 1, coordinates) ? Computed::InDoubles : Computed::Unplaced;
}

// A thin line, or a polygon's edge, as the library computes it.
Part thin_part(const ref::Coverage &rule, PixelPoint a, PixelPoint b) {
    if (within(kExactLineEnd, {a.x, a.y, b.x, b.y})) return {rule, Computed::Exactly, nullptr};
    if (in_doubles({a.x, a.y, b.x, b.y}) == Computed::Unplaced)
        return {rule, Computed::Unplaced, nullptr};
    return {rule, Computed::CutAndRounded, ref::line_neighbourhood(a, b)};
}

using Draw = std::function<void(Image &)>;

// Draws on a fresh image and reports the first pixel that the rule decides
// otherwise, unless the way the library computes every part that decides it
// lets it go either way.
::testing::AssertionResult follows_rule(int width, int height, const Draw &draw,
                                        const Judged &parts) {
    Image img(width, height, kPaper);
    draw(img);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool covered = false, firm = false, loose = false;
            for (const Part &part : parts) {
                // Whatever the rule says, an unplaced part may go either way.
                if (part.how == Computed::Unplaced) {
                    loose = true;
                    continue;
                }
                const ref::Verdict v = part.rule(x, y);
                const bool may_differ =
                    (part.how == Computed::InDoubles && v.close) ||
                    (part.how == Computed::CutAndRounded && part.moved(x, y).covered);
                covered = covered || v.covered;
                firm = firm || (v.covered && !may_differ);
                loose = loose || may_differ;
            }
            const bool inked = img.at(x, y) == kInk;
            if (inked == covered || (inked ? loose : !firm)) continue;
            return ::testing::AssertionFailure()
                   << "pixel " << x << "," << y << " is " << (inked ? "" : "not ")
                   << "inked, the rule " << (covered ? "covers" : "leaves") << " it";
        }
    return ::testing::AssertionSuccess();
}

// Coordinates from every scale the renderer can be handed: near the image,
// far off it, at the ends of the int range shifted by an origin, and beyond.
class Coordinates {
public:
    explicit Coordinates(unsigned seed) : rng_(seed) {}

    int64_t near(int64_t extent) { return uniform(-extent / 2, extent + extent / 2); }

    int64_t any(int64_t extent) {
        switch (uniform(0, 7)) {
            case 0: return uniform(-(int64_t{1} << 12), int64_t{1} << 12);
            case 1: return uniform(-(int64_t{1} << 24), int64_t{1} << 24);
            case 2: return int64_t{INT_MIN} + uniform(0, 600);
            case 3: return int64_t{INT_MAX} + uniform(0, 600);
            case 4: return uniform(-(int64_t{1} << 40), int64_t{1} << 40);
            case 5: return uniform(0, 1) ? INT64_MIN + uniform(0, 5) : INT64_MAX - uniform(0, 5);
            default: return near(extent);
        }
    }

    int width() { return static_cast<int>(uniform(0, 1) ? uniform(0, 9) : uniform(0, 100)); }

    int64_t uniform(int64_t lo, int64_t hi) {
        return std::uniform_int_distribution<int64_t>(lo, hi)(rng_);
    }

private:
    std::mt19937_64 rng_;
};

std::string box_name(int64_t l, int64_t t, int64_t r, int64_t b, int width) {
    return "box " + std::to_string(l) + "," + std::to_string(t) + " to " + std::to_string(r) + "," +
           std::to_string(b) + " width " + std::to_string(width);
}

// ---------------------------------------------------------------- ellipses

// The grow is 1 for a fill, the pen (at least 1) for an outline.
Computed ellipse_computed(int64_t l, int64_t t, int64_t r, int64_t b, int64_t grow) {
    const bool exact = within(kExactEllipseCorner, {l, t, r, b}) &&
                       std::abs(r - l) + grow <= kExactEllipseAxis &&
                       std::abs(b - t) + grow <= kExactEllipseAxis;
    return exact ? Computed::Exactly : in_doubles({l, t, r, b});
}

void expect_ellipse_follows(int width, int height, int64_t l, int64_t t, int64_t r, int64_t b,
                            int pen) {
    if (pen == 0)
        EXPECT_TRUE(follows_rule(
            width, height, [&](Image &img) { now::fill_ellipse(img, l, t, r, b, kInk); },
            computed(ref::fill_ellipse(l, t, r, b), ellipse_computed(l, t, r, b, 1))))
            << "filled " << box_name(l, t, r, b, pen);
    else
        EXPECT_TRUE(follows_rule(
            width, height, [&](Image &img) { now::ellipse_outline(img, l, t, r, b, pen, kInk); },
            computed(ref::ellipse_outline(l, t, r, b, pen),
                     ellipse_computed(l, t, r, b, std::max(pen, 1)))))
            << "outlined " << box_name(l, t, r, b, pen);
}

// Wide outlines whose ring has pixel centres exactly on its outer or inner
// ellipse, where the rule decides: a centre on the outer one is out, one on
// the inner one is in.
TEST(EllipseRules, CentresExactlyOnAWideOutlinesEdge) {
    const struct {
        int64_t left, top, width, height;
        int pen;
    } cases[] = {{42, 16, 69, 392, 34},
                 {-290, -13, 938, 1887, 12},
                 {-1009, 13, 2834, 309, 8},
                 {-1108, -29612, 2882, 29983, 30},
                 {-5535, -614, 7617, 10779, 34}};
    for (const auto &c : cases) {
        const int64_t r = c.left + c.width - 1, b = c.top + c.height - 1;
        expect_ellipse_follows(60, 40, c.left, c.top, r, b, c.pen);
        const ref::Box box(c.left, c.top, r, b);
        const ref::EllipseSide<__int128> outer(box, c.pen), inner(box, -c.pen);
        int on_edge = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                on_edge += (outer.at(x, y).sign == 0 ? 1 : 0) + (inner.at(x, y).sign == 0 ? 1 : 0);
        EXPECT_GT(on_edge, 0) << box_name(c.left, c.top, r, b, c.pen);
    }
}

TEST(EllipseRules, EverySmallBoxFilledAndStroked) {
    for (int w = 1; w <= 40; ++w)
        for (int h = 1; h <= 40; ++h)
            for (int pen = 0; pen <= 5; ++pen) {
                // Inside the image, then cut by its top-left and bottom-right corners.
                expect_ellipse_follows(48, 48, 3, 4, 3 + w - 1, 4 + h - 1, pen);
                expect_ellipse_follows(24, 20, -w / 3, -h / 2, w - 1 - w / 3, h - 1 - h / 2, pen);
                expect_ellipse_follows(24, 20, 23 - w / 2, 19 - h / 3, 22 + w - w / 2,
                                       18 + h - h / 3, pen);
            }
}

// Boxes up to and past the size where rows stop being computed in integers,
// placed so that some part of their edge crosses the image.
TEST(EllipseRules, LargeBoxesWhoseEdgesCrossTheImage) {
    Coordinates pick(7);
    const auto size = [&](int i) {
        switch (i % 4) {
            case 0: return pick.uniform(1, 300);
            case 1: return pick.uniform(1, 3000);
            case 2: return pick.uniform(30000, 33000);
            default: return pick.uniform(1, 33000);
        }
    };
    for (int i = 0; i < 6000; ++i) {
        const int64_t w = size(i), h = size(i / 4);
        const int64_t l = pick.uniform(-w, 80), t = pick.uniform(-h, 60);
        expect_ellipse_follows(80, 60, l, t, l + w - 1, t + h - 1,
                               i % 3 == 0 ? 0 : static_cast<int>(pick.uniform(1, 40)));
    }
}

TEST(EllipseRules, RandomBoxesAtEveryScale) {
    Coordinates pick(11);
    for (int i = 0; i < 4000; ++i) {
        const int64_t l = pick.any(40), t = pick.any(30), r = pick.any(40), b = pick.any(30);
        const int pen = i % 3 == 0 ? 0 : (i % 7 == 0 ? INT_MAX : pick.width());
        expect_ellipse_follows(40, 30, l, t, r, b, pen);
    }
}

// ---------------------------------------------------------------- polygons

// A polygon near the image is drawn exactly (a triangle in integer rows);
// further out its interior is computed in doubles and its edges drawn as
// thin lines.
Judged polygon_parts(const PixelPoint *points, int count, int pen) {
    bool near = true;
    Computed interior = Computed::InDoubles;
    for (int i = 0; i < count; ++i) {
        near = near && within(kExactPolygonCorner, {points[i].x, points[i].y});
        if (in_doubles({points[i].x, points[i].y}) == Computed::Unplaced)
            interior = Computed::Unplaced;
    }
    const ref::Parts parts =
        pen == 0 ? ref::fill_polygon(points, count) : ref::polygon_outline(points, count, pen);
    // A wide pen's segments are computed in doubles like the interior.
    if (pen > 1) return computed(parts, near ? Computed::InDoubles : interior);
    if (near) return computed(parts, Computed::Exactly);
    // The parts of a fill are the interior and then the edges in order.
    Judged judged;
    const std::size_t first_edge = pen == 0 ? 1 : 0;
    if (pen == 0) judged.push_back({parts[0], interior, nullptr});
    for (std::size_t i = first_edge; i < parts.size(); ++i) {
        const int from = static_cast<int>(i - first_edge);
        judged.push_back(thin_part(parts[i], points[from], points[(from + 1) % count]));
    }
    return judged;
}

void expect_polygon_follows(int width, int height, const PixelPoint *points, int count, int pen) {
    std::string name = "polygon";
    for (int i = 0; i < count; ++i)
        name += " " + std::to_string(points[i].x) + "," + std::to_string(points[i].y);
    name += " width " + std::to_string(pen);
    EXPECT_TRUE(follows_rule(
        width, height,
        [&](Image &img) {
            if (pen == 0)
                now::fill_polygon(img, points, count, kInk);
            else
                now::polygon_outline(img, points, count, pen, kInk);
        },
        polygon_parts(points, count, pen)))
        << name;
}

// Every triangle whose corners lie on a 5 x 4 grid that overhangs the image.
TEST(PolygonRules, EveryTriangleOnASmallGrid) {
    std::vector<PixelPoint> grid;
    for (int64_t y = -2; y <= 13; y += 4)
        for (int64_t x = -3; x <= 13; x += 4) grid.push_back({x, y});
    for (const PixelPoint a : grid)
        for (const PixelPoint b : grid)
            for (const PixelPoint c : grid) {
                const PixelPoint triangle[] = {a, b, c};
                for (int pen = 0; pen <= 2; ++pen) expect_polygon_follows(12, 11, triangle, 3, pen);
            }
}

// Corners spread ever wider around the image, up to and past where rows stop
// being computed in integers, so that long edges cross it at every slope.
TEST(PolygonRules, LargePolygonsAroundTheImage) {
    Coordinates pick(23);
    const int64_t scales[] = {30, 300, 5000, int64_t{1} << 25};
    for (int i = 0; i < 8000; ++i) {
        const int64_t r = scales[i % 4];
        PixelPoint points[8];
        for (PixelPoint &p : points) p = {pick.uniform(-r, r + 40), pick.uniform(-r, r + 30)};
        const int count = i % 7 == 0 ? static_cast<int>(pick.uniform(1, 8)) : 3;
        expect_polygon_follows(40, 30, points, count, i % 3 == 0 ? 1 : 0);
    }
}

TEST(PolygonRules, RandomPolygonsAtEveryScale) {
    Coordinates pick(13);
    for (int i = 0; i < 6000; ++i) {
        PixelPoint points[5];
        // Mostly shapes near the image, some with one or more corners far off.
        for (PixelPoint &p : points)
            p = i % 2 ? PixelPoint{pick.near(40), pick.near(30)}
                      : PixelPoint{pick.any(40), pick.any(30)};
        const int count = i % 5 == 0 ? static_cast<int>(pick.uniform(1, 5)) : 3;
        const int pen = i % 2 == 0 ? 0 : pick.width();
        expect_polygon_follows(40, 30, points, count, pen);
    }
}

// ---------------------------------------------------------------- lines

void expect_line_follows(int width, int height, PixelPoint a, PixelPoint b, int pen) {
    const ref::Parts parts = ref::line(a, b, pen);
    EXPECT_TRUE(follows_rule(
        width, height, [&](Image &img) { now::line(img, a, b, pen, kInk); },
        pen > 1 ? computed(parts, in_doubles({a.x, a.y, b.x, b.y}))
                : Judged{thin_part(parts[0], a, b)}))
        << "line " << a.x << "," << a.y << " to " << b.x << "," << b.y << " width " << pen;
}

// Every line between two points of a grid that overhangs the image: all
// directions, every slope the grid allows, clipped at every edge.
TEST(LineRules, EveryLineBetweenPointsOfAGrid) {
    std::vector<PixelPoint> grid;
    for (int64_t y = -4; y <= 18; y += 3)
        for (int64_t x = -4; x <= 19; x += 3) grid.push_back({x, y});
    for (const PixelPoint a : grid)
        for (const PixelPoint b : grid)
            for (int pen = 1; pen <= 3; ++pen) expect_line_follows(16, 15, a, b, pen);
}

TEST(LineRules, RandomLinesAtEveryScale) {
    Coordinates pick(17);
    for (int i = 0; i < 20000; ++i) {
        const PixelPoint a{pick.any(40), pick.any(30)};
        const PixelPoint b = i % 2 ? PixelPoint{pick.near(40), pick.near(30)}
                                   : PixelPoint{pick.any(40), pick.any(30)};
        expect_line_follows(40, 30, a, b, i % 4 == 0 ? pick.width() : 1);
    }
}

// ---------------------------------------------------------------- pixels and boxes

TEST(BoxRules, PixelsAndBoxesAtEveryScale) {
    Coordinates pick(19);
    for (int i = 0; i < 4000; ++i) {
        const int64_t l = pick.any(40), t = pick.any(30), r = pick.any(40), b = pick.any(30);
        EXPECT_TRUE(follows_rule(
            40, 30, [&](Image &img) { now::fill_box(img, l, t, r, b, kInk); },
            computed(ref::fill_box(l, t, r, b), Computed::Exactly)))
            << "filled " << box_name(l, t, r, b, 0);
        const int pen = pick.width();
        EXPECT_TRUE(follows_rule(
            40, 30, [&](Image &img) { now::box_outline(img, l, t, r, b, pen, kInk); },
            computed(ref::box_outline(l, t, r, b, pen),
                     pen > 1 ? in_doubles({l, t, r, b}) : Computed::Exactly)))
            << "outlined " << box_name(l, t, r, b, pen);
        const int64_t x = pick.near(40), y = pick.near(30);
        EXPECT_TRUE(follows_rule(
            40, 30, [&](Image &img) { now::set_pixel(img, x, y, kInk); },
            computed(ref::set_pixel(x, y), Computed::Exactly)))
            << "pixel " << x << "," << y;
    }
}

// ---------------------------------------------------------------- the judge itself

Draw with_pixel_flipped(const Draw &draw, int x, int y) {
    return [=](Image &img) {
        draw(img);
        img.at(x, y) = img.at(x, y) == kInk ? kPaper : kInk;
    };
}

// One pixel off the rule fails, unless the part that decides it is computed
// in doubles and the pixel is a close call.
TEST(Judge, AllowsDoublesOnlyTheirCloseCalls) {
    const int64_t l = 42, t = 16, r = 110, b = 407;
    const int pen = 34;
    const Draw ring = [&](Image &img) { now::ellipse_outline(img, l, t, r, b, pen, kInk); };
    const ref::Parts rule = ref::ellipse_outline(l, t, r, b, pen);
    int close_x = -1, close_y = -1, firm_x = -1, firm_y = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const ref::Verdict v = rule[0](x, y);
            if (v.close) close_x = x, close_y = y;
            if (v.covered && !v.close) firm_x = x, firm_y = y;
        }
    ASSERT_GE(close_x, 0);
    ASSERT_GE(firm_x, 0);
    EXPECT_TRUE(follows_rule(60, 40, ring, computed(rule, Computed::Exactly)));
    EXPECT_FALSE(follows_rule(60, 40, with_pixel_flipped(ring, close_x, close_y),
                              computed(rule, Computed::Exactly)));
    EXPECT_TRUE(follows_rule(60, 40, with_pixel_flipped(ring, close_x, close_y),
                             computed(rule, Computed::InDoubles)));
    EXPECT_FALSE(follows_rule(60, 40, with_pixel_flipped(ring, firm_x, firm_y),
                              computed(rule, Computed::InDoubles)));
}

// A far line may be drawn a pixel off its true course, not further.
TEST(Judge, AllowsAFarLineAPixelEitherSide) {
    // Through (20, 15) and nearly level: y = 15 + (x - 20) / 2^27.
    const PixelPoint a{20 - (int64_t{1} << 30), 7}, b{20 + (int64_t{1} << 30), 23};
    const Draw drawn = [&](Image &img) { now::line(img, a, b, 1, kInk); };
    const Part exact{ref::line(a, b, 1)[0], Computed::Exactly, nullptr};
    const Part moved = thin_part(exact.rule, a, b);
    ASSERT_EQ(moved.how, Computed::CutAndRounded);
    EXPECT_TRUE(follows_rule(40, 30, drawn, {moved}));
    for (const int y : {14, 15, 16}) {
        EXPECT_TRUE(follows_rule(40, 30, with_pixel_flipped(drawn, 20, y), {moved})) << y;
        EXPECT_FALSE(follows_rule(40, 30, with_pixel_flipped(drawn, 20, y), {exact})) << y;
    }
    EXPECT_FALSE(follows_rule(40, 30, with_pixel_flipped(drawn, 20, 17), {moved}));
    EXPECT_FALSE(follows_rule(40, 30, with_pixel_flipped(drawn, 20, 13), {moved}));
}

// Builds a rule over both integer types and compares every verdict on and
// around a 40 x 30 image.
template <template <class> class Rule, class... Args>
::testing::AssertionResult same_over_both(const Args &...args) {
    const Rule<__int128> narrow(args...);
    const Rule<ref::Wide> wide(args...);
    for (int64_t y = -3; y < 33; ++y)
        for (int64_t x = -3; x < 43; ++x) {
            const ref::Verdict n = narrow(x, y), w = wide(x, y);
            if (n.covered != w.covered || n.close != w.close)
                return ::testing::AssertionFailure() << "at " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

// Shapes out to 2^27, whose products span several limbs of either sign.
TEST(Judge, WideIntegersGiveTheVerdictsOfNarrowOnes) {
    Coordinates pick(29);
    const auto coordinate = [&](int64_t extent) {
        return pick.uniform(0, 1) ? pick.near(extent)
                                  : pick.uniform(-(int64_t{1} << 27), int64_t{1} << 27);
    };
    for (int i = 0; i < 50; ++i) {
        const ref::Box box(coordinate(40), coordinate(30), coordinate(40), coordinate(30));
        const PixelPoint a{coordinate(40), coordinate(30)}, b{coordinate(40), coordinate(30)},
            c{coordinate(40), coordinate(30)};
        const int pen = static_cast<int>(pick.uniform(2, 40));
        EXPECT_TRUE(same_over_both<ref::FilledEllipse>(box, false));
        EXPECT_TRUE(same_over_both<ref::FilledEllipse>(box, true));
        EXPECT_TRUE(same_over_both<ref::WideEllipseRing>(box, pen));
        EXPECT_TRUE(same_over_both<ref::ThinLine>(a, b, true));
        EXPECT_TRUE(same_over_both<ref::LineNeighbourhood>(a, b));
        EXPECT_TRUE(same_over_both<ref::WideSegment>(a, b, pen));
        EXPECT_TRUE(same_over_both<ref::EvenOddInterior>(std::vector<PixelPoint>{a, b, c}));
    }
}

}  // namespace
