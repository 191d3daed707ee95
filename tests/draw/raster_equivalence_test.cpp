// The raster primitives against the reference: every shape must set exactly
// the pixels the first, floating-point implementation set, over every small
// size, all directions, clipped and degenerate cases and random shapes up to
// the extremes of the coordinate range.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "draw/raster.h"
#include "support/reference_raster.h"

namespace {

using kelto::Image;
using kelto::raster::PixelPoint;
namespace now = kelto::raster;
namespace ref = kelto::reference;

constexpr uint32_t kPaper = 0x00FFFFFF;
constexpr uint32_t kInk = 0x00336699;

using Draw = std::function<void(Image &)>;
// For a pixel on which the reference's rounding cannot be trusted, the exact
// answer (inked or not); nothing for every other pixel.
using Judge = std::function<std::optional<bool>(int x, int y)>;

// Draws with both implementations on fresh images of the given size and
// reports the first pixel where they differ and the judge does not decide
// for the new one.
::testing::AssertionResult same_pixels(int width, int height, const Draw &draw_now,
                                       const Draw &draw_ref, const Judge &judge = nullptr) {
    Image a(width, height, kPaper), b(width, height, kPaper);
    draw_now(a);
    draw_ref(b);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            if (const std::optional<bool> exact = judge ? judge(x, y) : std::nullopt;
                exact && *exact == (a.at(x, y) == kInk))
                continue;
            return ::testing::AssertionFailure()
                   << "pixel " << x << "," << y << " is " << (a.at(x, y) == kInk ? "" : "not ")
                   << "inked, the reference " << (b.at(x, y) == kInk ? "inks" : "leaves") << " it";
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

}  // namespace

namespace {

// ---------------------------------------------------------------- ellipses

// A wide outline covers the pixels whose centres lie strictly inside the
// ellipse grown by half the pen and not strictly inside the one shrunk by
// half the pen. The reference decides a centre that lies exactly on either
// ellipse by the rounding of its floating-point rows, sometimes one way and
// sometimes the other; the exact rule decides those pixels.
Judge wide_ring_boundary(int64_t l, int64_t t, int64_t r, int64_t b, int pen) {
    ref::order_box(l, t, r, b);
    return [=](int x, int y) -> std::optional<bool> {
        constexpr int64_t kLimit = int64_t{1} << 15;
        const int64_t span_x = r - l, span_y = b - t;
        const int64_t u = 2 * x - (l + r), v = 2 * y - (t + b);
        if (span_x + pen > kLimit || span_y + pen > kLimit || u > 2 * kLimit || u < -2 * kLimit ||
            v > 2 * kLimit || v < -2 * kLimit)
            return std::nullopt;
        // The sign of (u / ax)^2 + (v / ay)^2 - 1, in integers; outside when an axis is none.
        const auto side = [&](int64_t ax, int64_t ay) {
            if (ax <= 0 || ay <= 0) return 1;
            const auto sq = [](int64_t n) { return static_cast<uint64_t>(n * n); };
            const uint64_t lhs = sq(u) * sq(ay) + sq(v) * sq(ax), rhs = sq(ax) * sq(ay);
            return lhs < rhs ? -1 : (lhs == rhs ? 0 : 1);
        };
        const int outer = side(span_x + pen, span_y + pen);
        const int inner = side(span_x - pen, span_y - pen);
        if (outer != 0 && inner != 0) return std::nullopt;
        return outer < 0 && inner >= 0;
    };
}

void expect_same_ellipse(int width, int height, int64_t l, int64_t t, int64_t r, int64_t b,
                         int pen) {
    if (pen == 0)
        EXPECT_TRUE(same_pixels(
            width, height, [&](Image &img) { now::fill_ellipse(img, l, t, r, b, kInk); },
            [&](Image &img) { ref::fill_ellipse(img, l, t, r, b, kInk); }))
            << "filled " << box_name(l, t, r, b, pen);
    else
        EXPECT_TRUE(same_pixels(
            width, height, [&](Image &img) { now::ellipse_outline(img, l, t, r, b, pen, kInk); },
            [&](Image &img) { ref::ellipse_outline(img, l, t, r, b, pen, kInk); },
            pen > 1 ? wide_ring_boundary(l, t, r, b, pen) : nullptr))
            << "outlined " << box_name(l, t, r, b, pen);
}

// The cases where the reference rounds a centre on the boundary the wrong way.
TEST(EllipseEquivalence, CentresExactlyOnAWideOutlinesEdgeFollowTheRule) {
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
        expect_same_ellipse(60, 40, c.left, c.top, r, b, c.pen);
        // The judge is needed: the reference differs from the rule on these.
        EXPECT_FALSE(same_pixels(
            60, 40,
            [&](Image &img) { now::ellipse_outline(img, c.left, c.top, r, b, c.pen, kInk); },
            [&](Image &img) { ref::ellipse_outline(img, c.left, c.top, r, b, c.pen, kInk); }));
    }
}

TEST(EllipseEquivalence, EverySmallBoxFilledAndStroked) {
    for (int w = 1; w <= 40; ++w)
        for (int h = 1; h <= 40; ++h)
            for (int pen = 0; pen <= 5; ++pen) {
                // Inside the image, then cut by its top-left and bottom-right corners.
                expect_same_ellipse(48, 48, 3, 4, 3 + w - 1, 4 + h - 1, pen);
                expect_same_ellipse(24, 20, -w / 3, -h / 2, w - 1 - w / 3, h - 1 - h / 2, pen);
                expect_same_ellipse(24, 20, 23 - w / 2, 19 - h / 3, 22 + w - w / 2, 18 + h - h / 3,
                                    pen);
            }
}

// Boxes up to and past the size where rows stop being computed in integers,
// placed so that some part of their edge crosses the image.
TEST(EllipseEquivalence, LargeBoxesWhoseEdgesCrossTheImage) {
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
        expect_same_ellipse(80, 60, l, t, l + w - 1, t + h - 1,
                            i % 3 == 0 ? 0 : static_cast<int>(pick.uniform(1, 40)));
    }
}

TEST(EllipseEquivalence, RandomBoxesAtEveryScale) {
    Coordinates pick(11);
    for (int i = 0; i < 4000; ++i) {
        const int64_t l = pick.any(40), t = pick.any(30), r = pick.any(40), b = pick.any(30);
        const int pen = i % 3 == 0 ? 0 : (i % 7 == 0 ? INT_MAX : pick.width());
        expect_same_ellipse(40, 30, l, t, r, b, pen);
    }
}

// ---------------------------------------------------------------- polygons

void expect_same_polygon(int width, int height, const PixelPoint *points, int count, int pen) {
    std::string name = "polygon";
    for (int i = 0; i < count; ++i)
        name += " " + std::to_string(points[i].x) + "," + std::to_string(points[i].y);
    name += " width " + std::to_string(pen);
    if (pen == 0)
        EXPECT_TRUE(same_pixels(
            width, height, [&](Image &img) { now::fill_polygon(img, points, count, kInk); },
            [&](Image &img) { ref::fill_polygon(img, points, count, kInk); }))
            << "filled " << name;
    else
        EXPECT_TRUE(same_pixels(
            width, height, [&](Image &img) { now::polygon_outline(img, points, count, pen, kInk); },
            [&](Image &img) { ref::polygon_outline(img, points, count, pen, kInk); }))
            << "outlined " << name;
}

// Every triangle whose corners lie on a 5 x 5 grid that overhangs the image.
TEST(PolygonEquivalence, EveryTriangleOnASmallGrid) {
    std::vector<PixelPoint> grid;
    for (int64_t y = -2; y <= 13; y += 4)
        for (int64_t x = -3; x <= 13; x += 4) grid.push_back({x, y});
    for (const PixelPoint a : grid)
        for (const PixelPoint b : grid)
            for (const PixelPoint c : grid) {
                const PixelPoint triangle[] = {a, b, c};
                for (int pen = 0; pen <= 2; ++pen) expect_same_polygon(12, 11, triangle, 3, pen);
            }
}

// Corners spread ever wider around the image, up to and past where rows stop
// being computed in integers, so that long edges cross it at every slope.
TEST(PolygonEquivalence, LargePolygonsAroundTheImage) {
    Coordinates pick(23);
    const int64_t scales[] = {30, 300, 5000, int64_t{1} << 25};
    for (int i = 0; i < 8000; ++i) {
        const int64_t r = scales[i % 4];
        PixelPoint points[8];
        for (PixelPoint &p : points) p = {pick.uniform(-r, r + 40), pick.uniform(-r, r + 30)};
        const int count = i % 7 == 0 ? static_cast<int>(pick.uniform(1, 8)) : 3;
        expect_same_polygon(40, 30, points, count, i % 3 == 0 ? 1 : 0);
    }
}

TEST(PolygonEquivalence, RandomPolygonsAtEveryScale) {
    Coordinates pick(13);
    for (int i = 0; i < 6000; ++i) {
        PixelPoint points[5];
        // Mostly shapes near the image, some with one or more corners far off.
        for (PixelPoint &p : points)
            p = i % 2 ? PixelPoint{pick.near(40), pick.near(30)}
                      : PixelPoint{pick.any(40), pick.any(30)};
        const int count = i % 5 == 0 ? static_cast<int>(pick.uniform(1, 5)) : 3;
        const int pen = i % 2 == 0 ? 0 : pick.width();
        expect_same_polygon(40, 30, points, count, pen);
    }
}

// ---------------------------------------------------------------- lines

void expect_same_line(int width, int height, PixelPoint a, PixelPoint b, int pen) {
    EXPECT_TRUE(same_pixels(
        width, height, [&](Image &img) { now::line(img, a, b, pen, kInk); },
        [&](Image &img) { ref::line(img, a, b, pen, kInk); }))
        << "line " << a.x << "," << a.y << " to " << b.x << "," << b.y << " width " << pen;
}

// Every line between two points of a grid that overhangs the image: all
// directions, every slope the grid allows, clipped at every edge.
TEST(LineEquivalence, EveryLineBetweenPointsOfAGrid) {
    std::vector<PixelPoint> grid;
    for (int64_t y = -4; y <= 18; y += 3)
        for (int64_t x = -4; x <= 19; x += 3) grid.push_back({x, y});
    for (const PixelPoint a : grid)
        for (const PixelPoint b : grid)
            for (int pen = 1; pen <= 3; ++pen) expect_same_line(16, 15, a, b, pen);
}

TEST(LineEquivalence, RandomLinesAtEveryScale) {
    Coordinates pick(17);
    for (int i = 0; i < 20000; ++i) {
        const PixelPoint a{pick.any(40), pick.any(30)};
        const PixelPoint b = i % 2 ? PixelPoint{pick.near(40), pick.near(30)}
                                   : PixelPoint{pick.any(40), pick.any(30)};
        expect_same_line(40, 30, a, b, i % 4 == 0 ? pick.width() : 1);
    }
}

// ---------------------------------------------------------------- boxes

TEST(BoxEquivalence, RandomBoxesAtEveryScale) {
    Coordinates pick(19);
    for (int i = 0; i < 4000; ++i) {
        const int64_t l = pick.any(40), t = pick.any(30), r = pick.any(40), b = pick.any(30);
        EXPECT_TRUE(same_pixels(
            40, 30, [&](Image &img) { now::fill_box(img, l, t, r, b, kInk); },
            [&](Image &img) { ref::fill_box(img, l, t, r, b, kInk); }))
            << "filled " << box_name(l, t, r, b, 0);
        const int pen = pick.width();
        EXPECT_TRUE(same_pixels(
            40, 30, [&](Image &img) { now::box_outline(img, l, t, r, b, pen, kInk); },
            [&](Image &img) { ref::box_outline(img, l, t, r, b, pen, kInk); }))
            << "outlined " << box_name(l, t, r, b, pen);
    }
}

}  // namespace
