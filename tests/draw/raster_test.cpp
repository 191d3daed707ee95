// Coverage of the raster primitives: inclusive boxes, discs, outlines, lines
// that leave out their end pixel, and clipping that keeps absurd arguments safe
// and cheap.
#include "draw/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using kelto::Image;
using namespace kelto::raster;

constexpr uint32_t kInk = 0x00336699;
constexpr int64_t kHuge = int64_t{1} << 40;

using PixelSet = std::set<std::pair<int, int>>;

PixelSet inked(const Image &img) {
    PixelSet set;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.at(x, y) == kInk) set.insert({x, y});
    return set;
}

bool ink_at(const Image &img, int x, int y) {
    return img.contains(x, y) && img.at(x, y) == kInk;
}

// The run of inked pixels of row y that contains column x, as [first, last].
std::pair<int, int> run_through(const Image &img, int x, int y) {
    int first = x, last = x;
    while (ink_at(img, first - 1, y)) --first;
    while (ink_at(img, last + 1, y)) ++last;
    return {first, last};
}

bool mirror_symmetric(const Image &img, int sum_x, int sum_y) {
    for (const auto &[x, y] : inked(img))
        if (!ink_at(img, sum_x - x, y) || !ink_at(img, x, sum_y - y)) return false;
    return true;
}

bool eight_connected(const PixelSet &pixels) {
    if (pixels.empty()) return true;
    PixelSet seen{*pixels.begin()};
    std::vector<std::pair<int, int>> todo{*pixels.begin()};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (pixels.count({x + dx, y + dy}) && seen.insert({x + dx, y + dy}).second)
                    todo.push_back({x + dx, y + dy});
    }
    return seen.size() == pixels.size();
}

// ---------------------------------------------------------------- boxes

TEST(RasterBox, InclusiveOfBothCorners) {
    Image img(40, 40);
    fill_box(img, 7, 9, 7, 9, kInk);
    EXPECT_EQ(inked(img), PixelSet({{7, 9}}));

    Image big(40, 40);
    fill_box(big, 10, 10, 30, 30, kInk);
    EXPECT_EQ(inked(big).size(), 21u * 21u);
    EXPECT_TRUE(ink_at(big, 10, 10) && ink_at(big, 30, 30));
    EXPECT_FALSE(ink_at(big, 31, 30) || ink_at(big, 30, 31) || ink_at(big, 9, 10));
}

TEST(RasterBox, SwappedCornersDrawTheBoxTheySpan) {
    Image a(20, 20), b(20, 20);
    fill_box(a, 3, 4, 12, 15, kInk);
    fill_box(b, 12, 15, 3, 4, kInk);
    EXPECT_EQ(inked(a), inked(b));
    Image c(20, 20), d(20, 20);
    box_outline(c, 3, 4, 12, 15, 3, kInk);
    box_outline(d, 12, 4, 3, 15, 3, kInk);
    EXPECT_EQ(inked(c), inked(d));
}

TEST(RasterBox, OnePixelOutlineIsTheBorderOfTheBox) {
    Image img(20, 20);
    box_outline(img, 2, 3, 12, 9, 1, kInk);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 2 && x <= 12 && y >= 3 && y <= 9;
            const bool border = inside && (x == 2 || x == 12 || y == 3 || y == 9);
            EXPECT_EQ(ink_at(img, x, y), border) << x << "," << y;
        }
    Image zero(20, 20);
    box_outline(zero, 2, 3, 12, 9, 0, kInk);
    EXPECT_EQ(inked(zero), inked(img));
}

TEST(RasterBox, WideOutlineIsCentredWithRoundedOuterCorners) {
    Image img(41, 41);
    box_outline(img, 10, 10, 30, 25, 7, kInk);
    // Seven pixels across each edge, three outside and three inside the border.
    EXPECT_EQ(run_through(img, 10, 17), std::make_pair(7, 13));
    EXPECT_EQ(run_through(img, 30, 17), std::make_pair(27, 33));
    for (int y = 0; y < 41; ++y)
        EXPECT_EQ(ink_at(img, 20, y), (y >= 7 && y <= 13) || (y >= 22 && y <= 28));
    // The outer corner is rounded, the inner one square.
    EXPECT_FALSE(ink_at(img, 7, 7));
    EXPECT_FALSE(ink_at(img, 33, 28));
    EXPECT_TRUE(ink_at(img, 8, 8) && ink_at(img, 7, 10) && ink_at(img, 10, 7));
    EXPECT_TRUE(ink_at(img, 13, 13));
    EXPECT_FALSE(ink_at(img, 14, 14));
}

TEST(RasterBox, EvenWidthOutlineIsExactlyThatWide) {
    Image img(30, 30);
    box_outline(img, 5, 5, 20, 20, 2, kInk);
    EXPECT_EQ(run_through(img, 5, 12), std::make_pair(4, 5));
    EXPECT_EQ(run_through(img, 20, 12), std::make_pair(19, 20));
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(ink_at(img, 12, y), y == 4 || y == 5 || y == 19 || y == 20);
}

// ---------------------------------------------------------------- ellipses

TEST(RasterEllipse, DiscIsTwoRPlusOneAcrossCentredAndSymmetric) {
    for (int r : {0, 1, 2, 3, 5, 10, 20, 37}) {
        Image img(101, 101);
        fill_ellipse(img, 50 - r, 50 - r, 50 + r, 50 + r, kInk);
        EXPECT_EQ(run_through(img, 50, 50), std::make_pair(50 - r, 50 + r)) << r;
        int top = 50, bottom = 50;
        while (ink_at(img, 50, top - 1)) --top;
        while (ink_at(img, 50, bottom + 1)) ++bottom;
        EXPECT_EQ(top, 50 - r) << r;
        EXPECT_EQ(bottom, 50 + r) << r;
        EXPECT_TRUE(mirror_symmetric(img, 100, 100)) << r;
        for (const auto &[x, y] : inked(img)) {
            EXPECT_TRUE(ink_at(img, y, x)) << r;
            EXPECT_LE(std::abs(x - 50), r);
            EXPECT_LE(std::abs(y - 50), r);
        }
    }
    Image dot(5, 5);
    fill_ellipse(dot, 2, 2, 2, 2, kInk);
    EXPECT_EQ(inked(dot), PixelSet({{2, 2}}));
}

TEST(RasterEllipse, FillsItsBoxToEveryEdgeAndNoFurther) {
    for (auto [w, h] : {std::pair{18, 8}, {7, 12}, {2, 2}, {1, 9}, {9, 1}, {40, 3}}) {
        Image img(60, 30);
        fill_ellipse(img, 3, 4, 3 + w - 1, 4 + h - 1, kInk);
        bool left = false, right = false, top = false, bottom = false;
        for (const auto &[x, y] : inked(img)) {
            EXPECT_TRUE(x >= 3 && x < 3 + w && y >= 4 && y < 4 + h);
            left |= x == 3, right |= x == 3 + w - 1, top |= y == 4, bottom |= y == 4 + h - 1;
        }
        EXPECT_TRUE(left && right && top && bottom) << w << "x" << h;
        EXPECT_TRUE(mirror_symmetric(img, 6 + w - 1, 8 + h - 1)) << w << "x" << h;
    }
    // A one-row or one-column box is filled completely.
    Image row(20, 5);
    fill_ellipse(row, 2, 1, 17, 1, kInk);
    EXPECT_EQ(inked(row).size(), 16u);
}

TEST(RasterEllipse, OnePixelOutlineIsTheConnectedEdgeOfTheFill) {
    for (auto [w, h] : {std::pair{21, 21}, {18, 8}, {40, 5}, {5, 40}, {3, 3}, {2, 7}, {1, 1}}) {
        Image fill(60, 60), ring(60, 60);
        fill_ellipse(fill, 5, 6, 5 + w - 1, 6 + h - 1, kInk);
        ellipse_outline(ring, 5, 6, 5 + w - 1, 6 + h - 1, 1, kInk);
        PixelSet edge;
        for (const auto &[x, y] : inked(fill))
            if (!ink_at(fill, x - 1, y) || !ink_at(fill, x + 1, y) || !ink_at(fill, x, y - 1) ||
                !ink_at(fill, x, y + 1))
                edge.insert({x, y});
        EXPECT_EQ(inked(ring), edge) << w << "x" << h;
        EXPECT_TRUE(eight_connected(edge)) << w << "x" << h;
        EXPECT_TRUE(mirror_symmetric(ring, 10 + w - 1, 12 + h - 1)) << w << "x" << h;
    }
}

TEST(RasterEllipse, WideOutlineIsCentredOnTheEllipse) {
    Image img(81, 81);
    ellipse_outline(img, 20, 20, 60, 60, 5, kInk);
    EXPECT_EQ(run_through(img, 60, 40), std::make_pair(58, 62));
    EXPECT_EQ(run_through(img, 20, 40), std::make_pair(18, 22));
    EXPECT_FALSE(ink_at(img, 40, 40));
    EXPECT_TRUE(mirror_symmetric(img, 80, 80));
    EXPECT_TRUE(eight_connected(inked(img)));

    Image even(81, 81);
    ellipse_outline(even, 20, 20, 60, 60, 4, kInk);
    const auto [first, last] = run_through(even, 60, 40);
    EXPECT_EQ(last - first + 1, 4);
    EXPECT_TRUE(mirror_symmetric(even, 80, 80));
}

// ---------------------------------------------------------------- polygons

TEST(RasterPolygon, CollinearTriangleIsAOnePixelSegment) {
    Image flat(20, 20);
    const PixelPoint row[] = {{0, 3}, {5, 3}, {10, 3}};
    fill_polygon(flat, row, 3, kInk);
    PixelSet expected;
    for (int x = 0; x <= 10; ++x) expected.insert({x, 3});
    EXPECT_EQ(inked(flat), expected);

    Image slanted(20, 20);
    const PixelPoint slope[] = {{1, 1}, {13, 7}, {7, 4}};
    fill_polygon(slanted, slope, 3, kInk);
    const PixelSet pixels = inked(slanted);
    EXPECT_EQ(pixels.size(), 13u);
    for (int x = 1; x <= 13; ++x) {
        int in_column = 0;
        for (int y = 0; y < 20; ++y) in_column += ink_at(slanted, x, y);
        EXPECT_EQ(in_column, 1) << x;
    }

    Image dot(5, 5);
    const PixelPoint same[] = {{2, 2}, {2, 2}, {2, 2}};
    fill_polygon(dot, same, 3, kInk);
    EXPECT_EQ(inked(dot), PixelSet({{2, 2}}));
}

TEST(RasterPolygon, FilledTriangleIsInteriorPlusOutline) {
    Image img(20, 20);
    const PixelPoint corner[] = {{2, 2}, {12, 2}, {2, 12}};
    fill_polygon(img, corner, 3, kInk);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(ink_at(img, x, y), x >= 2 && y >= 2 && x + y <= 14) << x << "," << y;
}

TEST(RasterPolygon, OnePixelOutlineIsClosedAndCoversEveryVertex) {
    Image square(20, 20), box(20, 20);
    const PixelPoint corners[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    polygon_outline(square, corners, 4, 1, kInk);
    box_outline(box, 2, 2, 8, 8, 1, kInk);
    EXPECT_EQ(inked(square), inked(box));

    Image point(5, 5);
    polygon_outline(point, corners, 1, 1, kInk);
    EXPECT_TRUE(ink_at(point, 2, 2));
}

// ---------------------------------------------------------------- lines

TEST(RasterLine, OnePixelLineLeavesOutItsEndPixel) {
    Image img(20, 5);
    line(img, {0, 0}, {10, 0}, 1, kInk);
    EXPECT_EQ(run_through(img, 0, 0), std::make_pair(0, 9));

    Image back(20, 5);
    line(back, {10, 2}, {0, 2}, 1, kInk);
    EXPECT_EQ(run_through(back, 10, 2), std::make_pair(1, 10));

    Image none(5, 5);
    line(none, {2, 2}, {2, 2}, 1, kInk);
    EXPECT_TRUE(inked(none).empty());
}

TEST(RasterLine, SteepLineHasOnePixelPerRow) {
    Image img(20, 20);
    line(img, {2, 1}, {5, 11}, 1, kInk);
    EXPECT_EQ(inked(img).size(), 10u);
    int last_x = 2;
    for (int y = 1; y <= 10; ++y) {
        std::vector<int> columns;
        for (int x = 0; x < 20; ++x)
            if (ink_at(img, x, y)) columns.push_back(x);
        ASSERT_EQ(columns.size(), 1u) << y;
        EXPECT_GE(columns[0], last_x);
        last_x = columns[0];
    }
    EXPECT_TRUE(ink_at(img, 2, 1));
    EXPECT_FALSE(ink_at(img, 5, 11));
}

TEST(RasterLine, CoversTheSamePixelsInEitherDirection) {
    const PixelPoint ends[][2] = {{{0, 0}, {12, 6}},
                                  {{3, 17}, {15, 2}},
                                  {{1, 1}, {4, 18}},
                                  {{18, 0}, {0, 18}},
                                  {{2, 9}, {17, 10}}};
    for (const auto &[a, b] : ends) {
        Image forward(20, 20), backward(20, 20);
        line(forward, a, b, 1, kInk);
        set_pixel(forward, b.x, b.y, kInk);
        line(backward, b, a, 1, kInk);
        set_pixel(backward, a.x, a.y, kInk);
        EXPECT_EQ(inked(forward), inked(backward));
    }
}

TEST(RasterLine, WideLineIsCentredWithRoundCaps) {
    Image img(40, 20);
    line(img, {10, 10}, {30, 10}, 3, kInk);
    for (int y = 0; y < 20; ++y) EXPECT_EQ(ink_at(img, 20, y), y >= 9 && y <= 11) << y;
    EXPECT_EQ(run_through(img, 20, 10), std::make_pair(9, 31));

    Image even(40, 20);
    line(even, {10, 10}, {30, 10}, 2, kInk);
    for (int y = 0; y < 20; ++y) EXPECT_EQ(ink_at(even, 20, y), y == 9 || y == 10) << y;

    Image caps(40, 40);
    line(caps, {10, 10}, {30, 10}, 9, kInk);
    EXPECT_EQ(run_through(caps, 20, 10), std::make_pair(6, 34));
    EXPECT_FALSE(ink_at(caps, 6, 6));
    EXPECT_TRUE(ink_at(caps, 10, 6));
}

TEST(RasterLine, ZeroLengthWideLineIsADiscOfThatDiameter) {
    for (int w : {2, 3, 4, 5, 8}) {
        Image img(21, 21);
        line(img, {10, 10}, {10, 10}, w, kInk);
        const auto [first, last] = run_through(img, 10, 10);
        EXPECT_EQ(last - first + 1, w) << w;
        int top = 10, bottom = 10;
        while (ink_at(img, 10, top - 1)) --top;
        while (ink_at(img, 10, bottom + 1)) ++bottom;
        EXPECT_EQ(bottom - top + 1, w) << w;
    }
}

// ---------------------------------------------------------------- clipping

// Drawing on a small image shows exactly what the same drawing shows through
// that window of a larger one, where nothing needs clipping.
TEST(RasterClip, ClippedShapesMatchTheUnclippedOnes) {
    constexpr int kW = 23, kH = 17, kMargin = 40;
    using Draw = std::function<void(Image &, int64_t, std::mt19937 &)>;
    const auto coord = [](std::mt19937 &rng) { return static_cast<int64_t>(rng() % 80) - 30; };
    const Draw shapes[] = {
        [&](Image &img, int64_t o, std::mt19937 &rng) {
            const PixelPoint a{coord(rng) + o, coord(rng) + o}, b{coord(rng) + o, coord(rng) + o};
            line(img, a, b, 1 + static_cast<int>(rng() % 6), kInk);
        },
        [&](Image &img, int64_t o, std::mt19937 &rng) {
            const int64_t l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
            fill_ellipse(img, l + o, t + o, r + o, b + o, kInk);
        },
        [&](Image &img, int64_t o, std::mt19937 &rng) {
            const int64_t l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
            ellipse_outline(img, l + o, t + o, r + o, b + o, 1 + static_cast<int>(rng() % 6), kInk);
        },
        [&](Image &img, int64_t o, std::mt19937 &rng) {
            PixelPoint points[4];
            for (auto &p : points) p = {coord(rng) + o, coord(rng) + o};
            fill_polygon(img, points, 3 + static_cast<int>(rng() % 2), kInk);
        },
        [&](Image &img, int64_t o, std::mt19937 &rng) {
            const int64_t l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
            box_outline(img, l + o, t + o, r + o, b + o, 1 + static_cast<int>(rng() % 6), kInk);
        },
    };
    for (size_t kind = 0; kind < std::size(shapes); ++kind) {
        for (unsigned seed = 1; seed <= 200; ++seed) {
            Image small(kW, kH), large(kW + 2 * kMargin, kH + 2 * kMargin);
            std::mt19937 small_rng(seed), large_rng(seed);
            shapes[kind](small, 0, small_rng);
            shapes[kind](large, kMargin, large_rng);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    ASSERT_EQ(small.at(x, y), large.at(x + kMargin, y + kMargin))
                        << "shape " << kind << " seed " << seed << " at " << x << "," << y;
        }
    }
}

TEST(RasterClip, HugeCoordinatesDrawOnlyTheVisiblePart) {
    Image row(16, 12);
    line(row, {-kHuge, 5}, {kHuge, 5}, 1, kInk);
    PixelSet expected;
    for (int x = 0; x < 16; ++x) expected.insert({x, 5});
    EXPECT_EQ(inked(row), expected);

    Image diagonal(16, 12);
    line(diagonal, {-kHuge, -kHuge}, {kHuge, kHuge}, 1, kInk);
    expected.clear();
    for (int i = 0; i < 12; ++i) expected.insert({i, i});
    EXPECT_EQ(inked(diagonal), expected);

    // A disc of radius near 2^40 whose top edge is row 4.
    Image disc(16, 12);
    fill_ellipse(disc, 8 - (kHuge - 4), 4, 8 + (kHuge - 4), 2 * kHuge - 4, kInk);
    for (int y = 0; y < 12; ++y) EXPECT_EQ(run_through(disc, 0, y).second == 15, y >= 4) << y;
    EXPECT_EQ(inked(disc).size(), 16u * 8u);

    Image ring(16, 12);
    ellipse_outline(ring, -kHuge, -kHuge, kHuge, kHuge, INT_MAX, kInk);
    EXPECT_TRUE(inked(ring).empty());

    Image strip(16, 12);
    const PixelPoint wedge[] = {{-kHuge, 3}, {kHuge, 3}, {kHuge, 6}};
    fill_polygon(strip, wedge, 3, kInk);
    for (const auto &[x, y] : inked(strip)) EXPECT_TRUE(y >= 3 && y <= 6);
    EXPECT_EQ(run_through(strip, 0, 3), std::make_pair(0, 15));
}

TEST(RasterClip, AbsurdArgumentsAreSafe) {
    constexpr int64_t kMin = INT64_MIN, kMax = INT64_MAX;
    const auto all = [](const Image &img) { return inked(img).size() == 16u * 12u; };

    Image box(16, 12);
    fill_box(box, kMin, kMin, kMax, kMax, kInk);
    EXPECT_TRUE(all(box));

    Image frame(16, 12);
    box_outline(frame, 0, 0, 15, 11, INT_MAX, kInk);
    EXPECT_TRUE(all(frame));

    Image dot(16, 12);
    line(dot, {3, 3}, {3, 3}, INT_MAX, kInk);
    EXPECT_TRUE(all(dot));

    Image disc(16, 12);
    fill_ellipse(disc, kMin, kMin, kMax, kMax, kInk);
    EXPECT_TRUE(all(disc));

    Image cover(16, 12);
    const PixelPoint triangle[] = {{-kHuge, -kHuge}, {kHuge, -kHuge}, {0, kHuge}};
    fill_polygon(cover, triangle, 3, kInk);
    EXPECT_TRUE(all(cover));

    // Extremes and degenerate counts draw whatever they draw without faults.
    Image img(16, 12);
    const PixelPoint extremes[] = {{kMin, kMin}, {kMax, kMin}, {kMax, kMax}, {kMin, 5}, {7, kMax}};
    fill_polygon(img, extremes, 5, kInk);
    polygon_outline(img, extremes, 5, 1, kInk);
    polygon_outline(img, extremes, 5, INT_MAX, kInk);
    line(img, {kMin, kMin}, {kMax, kMax}, 1, kInk);
    line(img, {kMin, 3}, {kMax, 4}, 7, kInk);
    ellipse_outline(img, kMin, kMin, kMax, kMax, 1, kInk);
    ellipse_outline(img, kMin, 0, kMax, 5, 3, kInk);
    box_outline(img, kMin, kMin, kMax, kMax, 1, kInk);
    box_outline(img, kMin, kMin, kMax, kMax, INT_MAX, kInk);
    line(img, {-kHuge, 0}, {kHuge, 11}, INT_MIN, kInk);
    ellipse_outline(img, 0, 0, 15, 11, INT_MIN, kInk);

    Image untouched(16, 12);
    fill_polygon(untouched, nullptr, 0, kInk);
    fill_polygon(untouched, triangle, -5, kInk);
    polygon_outline(untouched, nullptr, 0, 3, kInk);
    polygon_outline(untouched, triangle, INT_MIN, 1, kInk);
    EXPECT_TRUE(inked(untouched).empty());

    Image empty;
    fill_box(empty, kMin, kMin, kMax, kMax, kInk);
    fill_ellipse(empty, -5, -5, 5, 5, kInk);
    ellipse_outline(empty, -5, -5, 5, 5, 3, kInk);
    line(empty, {-5, -5}, {5, 5}, 1, kInk);
    line(empty, {-5, -5}, {5, 5}, 4, kInk);
    fill_polygon(empty, triangle, 3, kInk);
    set_pixel(empty, 0, 0, kInk);
    EXPECT_TRUE(empty.pixels.empty());
}

}  // namespace
