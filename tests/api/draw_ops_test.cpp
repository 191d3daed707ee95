// The public drawing calls: their corrections and log sentences, line by
// line and in each call's own order, the pixels they draw, the integer and
// point forms side by side, and every argument at the ends of the int range.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "support/kelto_fixture.h"

namespace kelto::test {
namespace {

using Lines = std::vector<std::string>;

// The integer forms, called with Points so one test body serves both forms.
struct IntegerForms {
    static int pixel(int c, Point p) { return KELTO_pixel(c, p.x, p.y); }
    static int circle(int c, Point p, int r) { return KELTO_circle(c, p.x, p.y, r); }
    static int triangle(int c, Point a, Point b, Point d, int w) {
        return KELTO_triangle(c, a.x, a.y, b.x, b.y, d.x, d.y, w);
    }
    static int rectangle(int c, Point a, Point b, int w) {
        return KELTO_rectangle(c, a.x, a.y, b.x, b.y, w);
    }
    static int oval(int c, Point a, Point b, int w) { return KELTO_oval(c, a.x, a.y, b.x, b.y, w); }
    static int line(int c, Point a, Point b, int w) { return KELTO_line(c, a.x, a.y, b.x, b.y, w); }
    static int text(int c, Point p, int s, const char *t) { return KELTO_text(c, p.x, p.y, s, t); }
    static int text_number(int c, Point p, int s, int n) {
        return KELTO_text_printf(c, p.x, p.y, s, "n=%d", n);
    }
    static int text_string(int c, Point p, int s, const char *t) {
        return KELTO_text_printf(c, p.x, p.y, s, "%s", t);
    }
};

struct PointForms {
    static int pixel(int c, Point p) { return KELTO_pixel_pt(c, p); }
    static int circle(int c, Point p, int r) { return KELTO_circle_pt(c, p, r); }
    static int triangle(int c, Point a, Point b, Point d, int w) {
        return KELTO_triangle_pt(c, a, b, d, w);
    }
    static int rectangle(int c, Point a, Point b, int w) { return KELTO_rectangle_pt(c, a, b, w); }
    static int oval(int c, Point a, Point b, int w) { return KELTO_oval_pt(c, a, b, w); }
    static int line(int c, Point a, Point b, int w) { return KELTO_line_pt(c, a, b, w); }
    static int text(int c, Point p, int s, const char *t) { return KELTO_text_pt(c, p, s, t); }
    static int text_number(int c, Point p, int s, int n) {
        return KELTO_text_printf_pt(c, p, s, "n=%d", n);
    }
    static int text_string(int c, Point p, int s, const char *t) {
        return KELTO_text_printf_pt(c, p, s, "%s", t);
    }
};

template <class Forms>
class DrawOpsTest : public KeltoFixture {
protected:
    void SetUp() override {
        KeltoFixture::SetUp();
        whiten();
    }
};

using BothForms = ::testing::Types<IntegerForms, PointForms>;
TYPED_TEST_SUITE(DrawOpsTest, BothForms);

TYPED_TEST(DrawOpsTest, IllegalColoursAreReportedAndDrawnRed) {
    using F = TypeParam;
    for (const int color : {24, 25, -1}) {
        const Lines lines = this->printed_by([&] { EXPECT_EQ(F::pixel(color, {color, 7}), 1); });
        const std::string x = std::to_string(color);
        EXPECT_EQ(lines,
                  (Lines{"Illegal color " + x + "; using RED.\n", "red pixel at (" + x + ",7)\n"}));
        EXPECT_EQ(this->at(color, 7), kRed);
    }
    EXPECT_EQ(this->printed_by([] {
        F::pixel(GRAY_20, {0, 0});
    }),
              Lines{"20% gray pixel at (0,0)\n"});
    EXPECT_EQ(this->at(0, 0), 0xCCCCCCu);
}

// A pixel with a palette colour and logging off takes the short way; every
// way draws the same pixel, marks it changed and prints what it must.
TYPED_TEST(DrawOpsTest, PixelsAreDrawnAndMarkedAlikeWithOrWithoutMessages) {
    using F = TypeParam;
    KELTO_logging(0);
    events::surface().take_changed();
    EXPECT_TRUE(this->printed_by([] { EXPECT_EQ(F::pixel(BLUE, {-4, 9}), 1); }).empty());
    EXPECT_EQ(this->printed_by([] {
        EXPECT_EQ(F::pixel(99, {6, -2}), 1);
    }),
              Lines{"Illegal color 99; using RED.\n"});
    KELTO_logging(1);
    EXPECT_EQ(this->printed_by([] {
        EXPECT_EQ(F::pixel(GREEN, {1, 1}), 1);
    }),
              Lines{"green pixel at (1,1)\n"});
    EXPECT_EQ(this->at(-4, 9), 0x0000FFu);
    EXPECT_EQ(this->at(6, -2), kRed);
    EXPECT_EQ(this->at(1, 1), 0x00FF00u);
    const int origin_x = events::surface().origin_x(), origin_y = events::surface().origin_y();
    EXPECT_EQ(events::surface().changed_area(),
              (Rect{origin_x - 4, origin_y - 9, origin_x + 7, origin_y + 3}));
    // Off the surface nothing is drawn, and the area changed stays as it was.
    KELTO_logging(0);
    F::pixel(RED, {5000, 5000});
    EXPECT_EQ(events::surface().changed_area(),
              (Rect{origin_x - 4, origin_y - 9, origin_x + 7, origin_y + 3}));
}

TYPED_TEST(DrawOpsTest, RectangleChecksColourThenWidth) {
    using F = TypeParam;
    const Lines lines = this->printed_by([] {
        EXPECT_EQ(F::rectangle(30, {10, -5}, {-10, 5}, -2), 1);
    });
    EXPECT_EQ(lines,
              (Lines{"Illegal color 30; using RED.\n", "Width of -2 not possible, using width 2\n",
                     "red rectangle with bounding box (-10,5) to (10,-5) with line width 2\n"}));
    EXPECT_EQ(this->at(-10, 0), kRed);
    EXPECT_EQ(this->at(0, 0), kWhite);
    EXPECT_EQ(this->printed_by([] {
        F::rectangle(BLUE, {10, -5}, {-10, 5}, 0);
    }),
              Lines{"blue rectangle with bounding box (-10,5) to (10,-5), filled\n"});
    const Bounds b = this->bounds_of(0x0000FF);
    EXPECT_EQ(b.count, 21 * 11);
    EXPECT_EQ(b.left, -10);
    EXPECT_EQ(b.top, 5);
}

TYPED_TEST(DrawOpsTest, OvalChecksWidthThenColour) {
    using F = TypeParam;
    const Lines lines = this->printed_by([] { EXPECT_EQ(F::oval(30, {10, -5}, {-10, 5}, -2), 1); });
    EXPECT_EQ(lines,
              (Lines{"Width of -2 not possible, using width 2\n", "Illegal color 30; using RED.\n",
                     "red oval with bounding box (-10,5) to (10,-5), line width 2\n"}));
    EXPECT_EQ(this->at(0, 0), kWhite);
    EXPECT_EQ(this->printed_by([] {
        F::oval(GREEN, {10, -5}, {-10, 5}, 0);
    }),
              Lines{"green oval with bounding box (-10,5) to (10,-5), filled\n"});
    const Bounds b = this->bounds_of(0x00FF00);
    EXPECT_EQ(b.left, -10);
    EXPECT_EQ(b.right, 10);
    EXPECT_EQ(b.top, 5);
    EXPECT_EQ(b.bottom, -5);
}

TYPED_TEST(DrawOpsTest, LineKeepsItsEndsAndDrawsWidthZeroOnePixelWide) {
    using F = TypeParam;
    EXPECT_EQ(this->printed_by([] {
        EXPECT_EQ(F::line(BLACK, {10, -5}, {-10, 5}, 0), 1);
    }),
              Lines{"black line from (10,-5) to (-10,5), width 0\n"});
    EXPECT_EQ(this->at(10, -5), kBlack);
    EXPECT_EQ(this->at(-10, 5), kWhite) << "the end pixel is left out";

    this->whiten();
    EXPECT_EQ(
        this->printed_by([] {
            F::line(99, {0, 0}, {20, 0}, 0);
        }),
        (Lines{"Illegal color 99; using RED.\n", "red line from (0,0) to (20,0), width 0\n"}));
    Bounds b = this->bounds_of(kRed);
    EXPECT_EQ(b.count, 20);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.bottom, 0);

    this->whiten();
    EXPECT_EQ(this->printed_by([] {
        F::line(RED, {0, 0}, {20, 0}, -3);
    }),
              (Lines{"Width of -3 not possible, using width 3\n",
                     "red line from (0,0) to (20,0), width 3\n"}));
    b = this->bounds_of(kRed);
    EXPECT_EQ(b.top, 1);
    EXPECT_EQ(b.bottom, -1);
}

TYPED_TEST(DrawOpsTest, NegativeRadiusDrawsTheDiscOfItsAbsoluteValue) {
    using F = TypeParam;
    EXPECT_EQ(
        this->printed_by([] {
            EXPECT_EQ(F::circle(-1, {3, 4}, -5), 1);
        }),
        (Lines{"Illegal color -1; using RED.\n", "Radius of -5 not possible, using radius 5\n",
               "red circle at (3,4), radius 5\n"}));
    const Bounds b = this->bounds_of(kRed);
    EXPECT_EQ(b.left, -2);
    EXPECT_EQ(b.right, 8);
    EXPECT_EQ(b.top, 9);
    EXPECT_EQ(b.bottom, -1);
}

TYPED_TEST(DrawOpsTest, TriangleSentenceIsTheSameFilledOrOutlined) {
    using F = TypeParam;
    const Lines filled = this->printed_by([] { F::triangle(PINK, {0, 0}, {30, 0}, {0, 30}, 0); });
    const Lines outlined = this->printed_by([] { F::triangle(PINK, {0, 0}, {30, 0}, {0, 30}, 4); });
    EXPECT_EQ(filled, Lines{"pink triangle at (0,0), (30,0), (0,30)\n"});
    EXPECT_EQ(outlined, filled);
    EXPECT_EQ(this->printed_by([] {
        F::triangle(40, {0, 0}, {30, 0}, {0, 30}, -1);
    }),
              (Lines{"Illegal color 40; using RED.\n", "Width of -1 not possible, using width 1\n",
                     "red triangle at (0,0), (30,0), (0,30)\n"}));
}

TYPED_TEST(DrawOpsTest, TextSizesAreCorrectedBeforeTheColour) {
    using F = TypeParam;
    EXPECT_EQ(
        this->printed_by([] {
            EXPECT_EQ(F::text(BLACK, {0, 0}, 128, "Hi"), 1);
        }),
        (Lines{"ptsize of 128 not possible, using ptsize 127\n", "black text at (0,0), \"Hi\"\n"}));
    const Image at_127 = this->surface();
    EXPECT_EQ(this->printed_by([] {
        F::text(BLACK, {0, 0}, 127, "Hi");
    }),
              Lines{"black text at (0,0), \"Hi\"\n"});
    EXPECT_EQ(this->printed_by([] {
        F::text(BLACK, {0, 0}, 0, "Hi");
    }),
              Lines{"black text at (0,0), \"Hi\"\n"});

    this->whiten();
    EXPECT_EQ(this->printed_by([] {
        F::text(77, {0, 0}, -200, "Hi");
    }),
              (Lines{"ptsize of -200 not possible, using ptsize 200\n",
                     "ptsize of 200 not possible, using ptsize 127\n",
                     "Illegal color 77; using RED.\n", "red text at (0,0), \"Hi\"\n"}));
    EXPECT_GT(this->bounds_of(kRed).count, 0);
    this->whiten();
    F::text(BLACK, {0, 0}, -200, "Hi");
    EXPECT_EQ(this->surface().pixels, at_127.pixels);
}

TYPED_TEST(DrawOpsTest, FormattedTextReturnsItsLengthAndDrawsLikeText) {
    using F = TypeParam;
    Lines lines = this->printed_by([] { EXPECT_EQ(F::text_number(-7, {5, 5}, -300, 42), 4); });
    EXPECT_EQ(lines, (Lines{"ptsize of -300 not possible, using ptsize 300\n",
                            "ptsize of 300 not possible, using ptsize 127\n",
                            "Illegal color -7; using RED.\n", "red text at (5,5), \"n=42\"\n"}));
    const Image formatted = this->surface();
    this->whiten();
    F::text(RED, {5, 5}, 127, "n=42");
    EXPECT_EQ(this->surface().pixels, formatted.pixels);
}

TYPED_TEST(DrawOpsTest, OverlongFormattedTextIsCutAtTheBuffer) {
    using F = TypeParam;
    const std::string long_text(3000, 'W');
    KELTO_logging(0);
    EXPECT_EQ(F::text_string(BLACK, {-290, 0}, 10, long_text.c_str()), 3000);
    const Image formatted = this->surface();
    this->whiten();
    F::text(BLACK, {-290, 0}, 10, long_text.substr(0, 1023).c_str());
    EXPECT_EQ(this->surface().pixels, formatted.pixels);
}

TYPED_TEST(DrawOpsTest, LoggingOffStillPrintsCorrections) {
    using F = TypeParam;
    KELTO_logging(0);
    EXPECT_EQ(
        this->printed_by([] {
            F::rectangle(30, {0, 0}, {5, 5}, -2);
        }),
        (Lines{"Illegal color 30; using RED.\n", "Width of -2 not possible, using width 2\n"}));
    EXPECT_EQ(this->printed_by([] {
        F::text(BLUE, {0, 0}, 500, "x");
    }),
              Lines{"ptsize of 500 not possible, using ptsize 127\n"});
    EXPECT_TRUE(this->printed_by([] { F::circle(BLUE, {0, 0}, 3); }).empty());
    EXPECT_EQ(this->at(0, 0), 0x0000FFu);
}

TYPED_TEST(DrawOpsTest, NullTextIsDrawnAsEmpty) {
    using F = TypeParam;
    EXPECT_EQ(this->printed_by([] {
        EXPECT_EQ(F::text(BLACK, {1, 2}, 10, nullptr), 1);
    }),
              Lines{"black text at (1,2), \"\"\n"});
    EXPECT_EQ(this->bounds_of(kBlack).count, 0);
}

// Runs the same calls through one form and keeps what they printed and drew.
class FormsTest : public KeltoFixture {
protected:
    template <class F>
    std::pair<Lines, std::vector<uint32_t>> draw_scene() {
        whiten();
        const Lines lines = printed_by([] {
            F::pixel(3, {-100, 100});
            F::circle(27, {-50, 60}, -12);
            F::triangle(8, {0, 0}, {40, 10}, {10, 50}, 0);
            F::triangle(9, {0, -60}, {40, -50}, {10, -10}, 3);
            F::rectangle(10, {100, 0}, {60, 40}, 0);
            F::rectangle(11, {100, -10}, {60, -50}, 6);
            F::oval(12, {-100, -10}, {-60, -50}, -2);
            F::oval(13, {-140, -10}, {-110, -50}, 0);
            F::line(14, {-200, -200}, {200, 150}, 0);
            F::line(15, {-200, 200}, {200, -150}, -7);
            F::text(16, {-250, -100}, 24, "two\nlines");
            F::text_number(17, {100, 100}, 0, 123);
        });
        return {lines, surface().pixels};
    }
};

TEST_F(FormsTest, IntegerAndPointFormsPrintAndDrawTheSame) {
    const auto [integer_lines, integer_pixels] = draw_scene<IntegerForms>();
    const auto [point_lines, point_pixels] = draw_scene<PointForms>();
    EXPECT_EQ(integer_lines.size(), 16u);
    EXPECT_EQ(integer_lines, point_lines);
    EXPECT_TRUE(integer_pixels == point_pixels);
}

TEST_F(FormsTest, Utf8AndWindows1252TextDrawTheSameCharacters) {
    KELTO_logging(0);
    whiten();
    KELTO_text(BLACK, -200, 0, 30,
               "Gr\xC3\xBC\xC3\x9F"
               "e \xE2\x82\xAC");
    const std::vector<uint32_t> utf8 = surface().pixels;
    whiten();
    KELTO_text_printf(BLACK, -200, 0, 30, "Gr%c%ce %c", '\xFC', '\xDF', '\x80');
    EXPECT_TRUE(surface().pixels == utf8);
    EXPECT_GT(bounds_of(kBlack).count, 100);
}

TEST_F(FormsTest, UndoOnlySaysItIsNoLongerSupported) {
    whiten();
    for (const int logging : {1, 0}) {
        KELTO_logging(logging);
        events::surface().take_changed();
        EXPECT_EQ(printed_by([] { EXPECT_EQ(KELTO_undo(), 1); }),
                  Lines{"KELTO_undo is no longer supported.\n"});
        EXPECT_FALSE(events::surface().changed());
        EXPECT_EQ(bounds_of(kWhite).count, int64_t{surface().width} * surface().height);
    }
}

// One drawing call with all its int arguments in a vector, colour first.
struct Call {
    const char *name;
    std::vector<int> sane;
    int (*run)(const std::vector<int> &a);
};

const Call kCalls[] = {
    {"pixel", {RED, 0, 0}, [](const std::vector<int> &a) { return KELTO_pixel(a[0], a[1], a[2]); }},
    {"circle",
     {RED, 0, 0, 10},
     [](const std::vector<int> &a) { return KELTO_circle(a[0], a[1], a[2], a[3]); }},
    {"triangle",
     {RED, 0, 0, 10, 0, 0, 10, 2},
     [](const std::vector<int> &a) {
         return KELTO_triangle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
     }},
    {"rectangle",
     {RED, -5, 5, 5, -5, 2},
     [](const std::vector<int> &a) { return KELTO_rectangle(a[0], a[1], a[2], a[3], a[4], a[5]); }},
    {"oval",
     {RED, -5, 5, 5, -5, 2},
     [](const std::vector<int> &a) { return KELTO_oval(a[0], a[1], a[2], a[3], a[4], a[5]); }},
    {"line",
     {RED, 0, 0, 10, 10, 2},
     [](const std::vector<int> &a) { return KELTO_line(a[0], a[1], a[2], a[3], a[4], a[5]); }},
    {"text",
     {RED, 0, 0, 12},
     [](const std::vector<int> &a) { return KELTO_text(a[0], a[1], a[2], a[3], "Hi"); }},
    {"text_printf",
     {RED, 0, 0, 12, 7},
     [](const std::vector<int> &a) {
         const int count = KELTO_text_printf(a[0], a[1], a[2], a[3], "%d", a[4]);
         return count == static_cast<int>(std::to_string(a[4]).size()) ? 1 : 0;
     }},
};

// A correction names the value it goes on with, which is never negative.
void expect_sane_correction(const std::string &line) {
    int given = 0, used = 0;
    if (std::sscanf(line.c_str(), "Illegal color %d; using RED.", &given) == 1) return;
    ASSERT_EQ(std::sscanf(line.c_str(), "%*s of %d not possible, using %*s %d", &given, &used), 2)
        << line;
    EXPECT_GE(used, 0) << line;
}

TEST_F(FormsTest, EveryArgumentAtTheIntLimitsEndsInASaneSentence) {
    for (const Call &call : kCalls) {
        for (std::size_t i = 0; i < call.sane.size(); ++i) {
            for (const int extreme : {INT_MIN, INT_MAX}) {
                std::vector<int> args = call.sane;
                args[i] = extreme;
                SCOPED_TRACE(std::string(call.name) + " argument " + std::to_string(i) + " = " +
                             std::to_string(extreme));
                const Lines lines = printed_by([&] { EXPECT_EQ(call.run(args), 1); });
                ASSERT_FALSE(lines.empty());
                EXPECT_EQ(lines.back().rfind("red ", 0), 0u) << lines.back();
                for (std::size_t k = 0; k + 1 < lines.size(); ++k) expect_sane_correction(lines[k]);
            }
        }
    }
}

TEST_F(FormsTest, MeasuresOfIntMinBecomeIntMax) {
    whiten();
    EXPECT_EQ(printed_by([] { KELTO_circle(BLUE, 0, 0, INT_MIN); }),
              (Lines{"Radius of -2147483648 not possible, using radius 2147483647\n",
                     "blue circle at (0,0), radius 2147483647\n"}));
    EXPECT_EQ(bounds_of(0x0000FF).count, int64_t{surface().width} * surface().height);
    EXPECT_EQ(printed_by([] { KELTO_line(BLUE, 0, 0, 9, 9, INT_MIN); }),
              (Lines{"Width of -2147483648 not possible, using width 2147483647\n",
                     "blue line from (0,0) to (9,9), width 2147483647\n"}));
    EXPECT_EQ(printed_by([] { KELTO_text(BLUE, 0, 0, INT_MIN, "x"); }),
              (Lines{"ptsize of -2147483648 not possible, using ptsize 2147483647\n",
                     "ptsize of 2147483647 not possible, using ptsize 127\n",
                     "blue text at (0,0), \"x\"\n"}));
}

TEST_F(FormsTest, CircleBoxesNearTheIntLimitsAreHeldInRange) {
    whiten();
    KELTO_circle(RED, INT_MAX, INT_MIN, INT_MAX);
    KELTO_circle(RED, INT_MIN, INT_MAX, 100);
    EXPECT_EQ(bounds_of(kRed).count, 0);
    KELTO_circle(RED, 0, 0, INT_MAX - 1);
    EXPECT_EQ(at(0, 0), kRed);
}

}  // namespace
}  // namespace kelto::test
