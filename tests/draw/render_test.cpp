// The renderer's coverage rules, the palette and KELTO_clear, checked pixel
// by pixel on the surface.
#include "api/render.h"

#include <climits>
#include <random>
#include <string>

#include "draw/draw_record.h"
#include "draw/fonts.h"
#include "draw/palette.h"
#include "support/kelto_fixture.h"

namespace kelto::test {
namespace {

using namespace kelto::draw;
using draw::Point;
using kelto::Rect;

DrawRecord record(DrawKind kind, int width, Point p1, Point p2 = {}, Point p3 = {}) {
    DrawRecord r;
    r.kind = kind;
    r.color = RED;
    r.width = width;
    r.points[0] = p1;
    r.points[1] = p2;
    r.points[2] = p3;
    return r;
}

DrawRecord text_record(Point anchor, int size, const char *text) {
    DrawRecord r = record(DRAW_TEXT, 0, anchor);
    r.color = BLACK;
    r.size = size;
    r.text = text;
    return r;
}

class RenderTest : public KeltoFixture {
protected:
    void SetUp() override {
        KeltoFixture::SetUp();
        whiten();
    }
};

TEST(Palette, NamesAndValuesOfTheGrays) {
    EXPECT_STREQ(palette_name(GRAY_50), "50% gray");
    EXPECT_EQ(palette_value(GRAY_50), 0x808080u);
    EXPECT_STREQ(palette_name(GRAY_20), "20% gray");
    EXPECT_EQ(palette_value(GRAY_20), 0xCCCCCCu);
    EXPECT_STREQ(palette_name(NAVY_BLUE), "navy blue");
    EXPECT_EQ(palette_value(NAVY_BLUE), 0x003399u);
}

TEST(RenderRecord, WithoutASurfaceOnlyMarksTheSurfaceChanged) {
    events::surface().take_changed();
    render_on_surface(record(DRAW_RECTANGLE, 0, {0, 0}, {10, -10}));
    EXPECT_TRUE(events::surface().changed());
}

TEST_F(RenderTest, ClearLeavesAOnePixelBlackFrameAroundWhite) {
    KELTO_logging(0);
    const auto lines = printed_by([] { EXPECT_EQ(KELTO_clear(), 1); });
    EXPECT_TRUE(lines.empty());
    const Image &s = surface();
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const bool frame = x == 0 || x == s.width - 1 || y == 0 || y == s.height - 1;
            ASSERT_EQ(s.at(x, y), frame ? kBlack : kWhite) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, ClearLogsFirstWhenLogging) {
    events::surface().take_changed();
    EXPECT_EQ(printed_by(KELTO_clear), std::vector<std::string>{"Clearing the graphics window\n"});
    EXPECT_TRUE(events::surface().changed());
}

TEST_F(RenderTest, FilledBoxesIncludeBothCorners) {
    render_on_surface(record(DRAW_RECTANGLE, 0, {0, 0}, {0, 0}));
    Bounds b = bounds_of(kRed);
    EXPECT_EQ(b.count, 1);
    EXPECT_EQ(at(0, 0), kRed);

    whiten();
    render_on_surface(record(DRAW_RECTANGLE, 0, {-10, 10}, {10, -10}));
    b = bounds_of(kRed);
    EXPECT_EQ(b.count, 21 * 21);
    EXPECT_EQ(b.left, -10);
    EXPECT_EQ(b.right, 10);
    EXPECT_EQ(b.top, 10);
    EXPECT_EQ(b.bottom, -10);
}

TEST_F(RenderTest, FilledOvalIsADiscTwoRPlusOneAcrossCentredOnItsCentre) {
    for (const int r : {1, 5, 20}) {
        whiten();
        render_on_surface(record(DRAW_OVAL, 0, {30 - r, -40 + r}, {30 + r, -40 - r}));
        const Bounds b = bounds_of(kRed);
        EXPECT_EQ(b.left, 30 - r) << r;
        EXPECT_EQ(b.right, 30 + r) << r;
        EXPECT_EQ(b.top, -40 + r) << r;
        EXPECT_EQ(b.bottom, -40 - r) << r;
        EXPECT_EQ(at(30, -40), kRed);
        if (r > 1) {
            EXPECT_NE(at(30 - r, -40 + r), kRed) << "corners stay outside the disc";
        }
    }
}

TEST_F(RenderTest, CollinearFilledTriangleIsAOnePixelSegment) {
    render_on_surface(record(DRAW_TRIANGLE, 0, {-5, 3}, {0, 3}, {7, 3}));
    const Bounds b = bounds_of(kRed);
    EXPECT_EQ(b.top, 3);
    EXPECT_EQ(b.bottom, 3);
    EXPECT_EQ(b.left, -5);
    EXPECT_EQ(b.right, 7);
    EXPECT_EQ(b.count, 13);
}

TEST_F(RenderTest, OutlinedTriangleLeavesItsInteriorEmpty) {
    render_on_surface(record(DRAW_TRIANGLE, 1, {-20, -20}, {20, -20}, {0, 20}));
    EXPECT_EQ(at(-20, -20), kRed);
    EXPECT_EQ(at(0, 20), kRed);
    EXPECT_EQ(at(0, 0), kWhite);
}

TEST_F(RenderTest, ThinLineLeavesOutItsEndPixel) {
    render_on_surface(record(DRAW_LINE, 1, {0, 0}, {10, 0}));
    for (int x = 0; x < 10; ++x) EXPECT_EQ(at(x, 0), kRed) << x;
    EXPECT_EQ(at(10, 0), kWhite);
    EXPECT_EQ(bounds_of(kRed).count, 10);
}

TEST_F(RenderTest, WideOutlineIsCentredWithRoundedOuterCorners) {
    render_on_surface(record(DRAW_RECTANGLE, 5, {-20, 20}, {20, -20}));
    // Two pixels either side of the boundary, in every direction.
    EXPECT_EQ(at(-22, 0), kRed);
    EXPECT_EQ(at(-23, 0), kWhite);
    EXPECT_EQ(at(-18, 0), kRed);
    EXPECT_EQ(at(-17, 0), kWhite);
    EXPECT_EQ(at(0, 22), kRed);
    EXPECT_EQ(at(0, -22), kRed);
    EXPECT_EQ(at(22, 0), kRed);
    EXPECT_EQ(at(0, 0), kWhite);
    // The outer corner is rounded off, the inner one is square.
    EXPECT_EQ(at(-20, 20), kRed);
    EXPECT_EQ(at(-22, 22), kWhite);
    EXPECT_EQ(at(-18, 18), kRed);
}

TEST_F(RenderTest, PixelAndUnknownKind) {
    render_on_surface(record(DRAW_PIXEL, 0, {-3, 4}));
    EXPECT_EQ(at(-3, 4), kRed);
    EXPECT_EQ(bounds_of(kRed).count, 1);

    events::surface().take_changed();
    render_on_surface(record(static_cast<DrawKind>(9), 0, {-10, 10}, {10, -10}));
    EXPECT_EQ(bounds_of(kRed).count, 1);
    EXPECT_TRUE(events::surface().changed());
}

TEST_F(RenderTest, OneLineOfTextStandsInTheRowsAboveItsAnchor) {
    const int h = text::fonts().metrics(text::Face::Sans, 20).height;
    EXPECT_GT(h, 20) << "size 20 is a character height, not a cell height";
    events::surface().take_changed();
    render_on_surface(text_record({-50, 0}, 20, "H"));
    const Bounds b = bounds_of(kBlack);
    EXPECT_GT(b.count, 0);
    EXPECT_LE(b.top, h);
    EXPECT_GE(b.bottom, 1);
    EXPECT_GE(b.left, -50);
    EXPECT_TRUE(events::surface().changed());
}

TEST_F(RenderTest, SecondLineStartsOnTheAnchorsRow) {
    const int h = text::fonts().metrics(text::Face::Sans, 20).height;
    render_on_surface(text_record({-50, 0}, 20, "H\nH"));
    const Bounds b = bounds_of(kBlack);
    EXPECT_LE(b.top, h);
    EXPECT_GE(b.bottom, 1 - h);
    EXPECT_LE(b.bottom, 0) << "the second line reaches below the anchor";
    const Image one_line = [&] {
        whiten();
        render_on_surface(text_record({-50, 0}, 20, "H"));
        return surface();
    }();
    whiten();
    render_on_surface(text_record({-50, -h}, 20, "H"));
    render_on_surface(text_record({-50, 0}, 20, "H"));
    const Image two_single_lines = surface();
    whiten();
    render_on_surface(text_record({-50, 0}, 20, "H\nH"));
    EXPECT_EQ(surface().pixels, two_single_lines.pixels);
    EXPECT_NE(surface().pixels, one_line.pixels);
}

TEST_F(RenderTest, TrailingNewlineAndEmptyTextDrawNothingMore) {
    render_on_surface(text_record({0, 0}, 20, "H"));
    const Image one_line = surface();
    whiten();
    render_on_surface(text_record({0, 0}, 20, "H\n"));
    EXPECT_EQ(surface().pixels, one_line.pixels);

    whiten();
    events::surface().take_changed();
    render_on_surface(text_record({0, 0}, 20, ""));
    EXPECT_EQ(bounds_of(kWhite).count, int64_t{surface().width} * surface().height);
    EXPECT_TRUE(events::surface().changed());
}

TEST_F(RenderTest, SizeZeroTextIsDrawnAtTheDefaultHeight) {
    render_on_surface(text_record({0, 0}, 0, "Hello"));
    const Bounds b = bounds_of(kBlack);
    EXPECT_GT(b.count, 0);
    EXPECT_LE(b.top, text::fonts().metrics(text::Face::Sans, 0).height);
}

TEST_F(RenderTest, FarAwayShapesAreClippedWithoutHarm) {
    render_on_surface(record(DRAW_RECTANGLE, 0, {INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}));
    EXPECT_EQ(bounds_of(kRed).count, int64_t{surface().width} * surface().height);
    whiten();
    render_on_surface(record(DRAW_LINE, 3, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}));
    render_on_surface(text_record({INT_MAX, INT_MIN}, 127, "far"));
    render_on_surface(record(DRAW_PIXEL, 0, {INT_MIN, INT_MAX}));
    EXPECT_EQ(at(0, 0), kRed) << "the diagonal passes the origin";
}

// The area a record reports holds every pixel it changed, for every kind of
// record, pen and text, near the surface, across its edges and far off it.
TEST(RenderArea, HoldsEveryPixelTheRecordChanged) {
    constexpr uint32_t kPaper = 0x123456;  // no palette colour
    Image image(200, 160, kPaper);
    const Canvas canvas{&image, 100, 80};
    std::mt19937 rng(5);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const auto coordinate = [&] {
        switch (pick(0, 5)) {
            case 0: return pick(INT_MIN, INT_MIN + 700);
            case 1: return pick(INT_MAX - 700, INT_MAX);
            case 2: return pick(-5000, 5000);
            default: return pick(-150, 150);
        }
    };
    const char *const texts[] = {"H", "Be Mine", "two\nlines", "g\n\nj|", "", "\xC9t\xE9"};
    for (int i = 0; i < 3000; ++i) {
        DrawRecord r = record(static_cast<DrawKind>(pick(0, 5)), 0, {coordinate(), coordinate()},
                              {coordinate(), coordinate()}, {coordinate(), coordinate()});
        r.color = pick(0, 23);
        r.width = pick(0, 3) == 0 ? pick(0, 40) : pick(0, 2);
        r.size = pick(0, 127);
        r.text = texts[pick(0, 5)];
        const Rect area = render_record(canvas, r);
        EXPECT_TRUE(area.left >= 0 && area.top >= 0 && area.right <= image.width &&
                    area.bottom <= image.height)
            << "record " << i;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                if (image.at(x, y) == kPaper) continue;
                ASSERT_TRUE(x >= area.left && x < area.right && y >= area.top && y < area.bottom)
                    << "record " << i << " of kind " << r.kind << " changed " << x << "," << y;
                image.at(x, y) = kPaper;
            }
    }
}

TEST(RenderArea, OfAPixelIsThatPixelAndOfAnythingOffTheImageNothing) {
    Image image(20, 10, 0);
    const Canvas canvas{&image, 10, 5};
    EXPECT_EQ(render_record(canvas, record(DRAW_PIXEL, 0, {3, 2})), (Rect{13, 3, 14, 4}));
    EXPECT_TRUE(render_record(canvas, record(DRAW_PIXEL, 0, {30, 2})).empty());
    EXPECT_TRUE(render_record(canvas, record(DRAW_OVAL, 0, {100, 2}, {120, -2})).empty());
    EXPECT_TRUE(render_record(canvas, text_record({0, 500}, 12, "far")).empty());
    EXPECT_TRUE(render_record(Canvas{}, record(DRAW_RECTANGLE, 0, {0, 0}, {1, 1})).empty());
}

}  // namespace
}  // namespace kelto::test
