// Tests of the card items through the real drawing operations: with logging
// on, every drawing call prints one sentence, so the console shows exactly
// what each design drew. The console keeps 25 lines, so each check reads the
// lines of one small batch.
#include "items.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "card_designer.h"
#include "card_random.h"
#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "panel.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"

namespace {

constexpr const char *kMark = "-- batch --\n";

// Runs `draw` and returns the console lines it printed (at most 24).
std::vector<std::string> printed_by(const std::function<void()> &draw) {
    KELTO_printf("%s", kMark);
    draw();
    const std::vector<std::string> lines = kelto::console::console_lines();
    const auto mark = std::find(lines.rbegin(), lines.rend(), std::string(kMark));
    EXPECT_NE(mark, lines.rend()) << "the batch printed more lines than the console keeps";
    return {mark.base(), lines.end()};
}

std::string line_sentence(const char *color, int x1, int y1, int x2, int y2, int width) {
    char text[128];
    std::snprintf(text, sizeof text, "%s line from (%d,%d) to (%d,%d), width %d\n", color, x1, y1,
                  x2, y2, width);
    return text;
}

std::string circle_sentence(const char *color, int x, int y, int radius) {
    char text[128];
    std::snprintf(text, sizeof text, "%s circle at (%d,%d), radius %d\n", color, x, y, radius);
    return text;
}

std::string triangle_sentence(const char *color, int x1, int y1, int x2, int y2, int x3, int y3) {
    char text[128];
    std::snprintf(text, sizeof text, "%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", color, x1, y1,
                  x2, y2, x3, y3);
    return text;
}

// A generator whose next value leaves `remainder` modulo `modulus`.
CardRandom random_giving(int modulus, int remainder) {
    for (uint32_t seed = 0;; ++seed) {
        CardRandom random;
        card_random_seed(random, seed);
        CardRandom probe = random;
        if (card_random_next(probe) % modulus == remainder) return random;
    }
}

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (kelto::events::state().graphics_window == 0) {
            kelto::platform::use_headless_display();
            KELTO_open(&instance_, nullptr, command_line_, 1);
        }
        KELTO_logging(1);
    }

    static inline int instance_ = 0;
    static inline char command_line_[1] = "";
};

TEST_F(ItemsTest, BurstLineOffsetsFollowTheAccumulatedAngle) {
    const struct {
        int k;
        std::vector<std::pair<int, int>> offsets;
    } cases[] = {
        {5, {{40, 0}, {12, 38}, {-32, 23}, {-32, -23}, {12, -38}}},
        {6, {{40, 0}, {19, 34}, {-20, 34}, {-39, 0}, {-19, -34}, {20, -34}}},
        {7, {{40, 0}, {24, 31}, {-8, 38}, {-36, 17}, {-36, -17}, {-8, -38}, {24, -31}, {39, 0}}},
    };
    for (const auto &burst : cases) {
        CardRandom random = random_giving(3, burst.k - 5);
        const auto lines = printed_by([&] { draw_burst(10, -20, BLACK, random); });
        std::vector<std::string> expected;
        for (const auto &[g, h] : burst.offsets) {
            expected.push_back(line_sentence("black", 10 + g, -20 + h, 10 - g, -20 - h, 1));
        }
        EXPECT_EQ(lines, expected) << "k = " << burst.k;
    }
}

TEST_F(ItemsTest, SunIsADiscUnderABurst) {
    CardRandom random = random_giving(3, 0);
    const auto lines = printed_by([&] { draw_sun(-50, 60, ORANGE, random); });
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], circle_sentence("orange", -50, 60, 30));
    EXPECT_EQ(lines[1], line_sentence("orange", -10, 60, -90, 60, 1));
}

TEST_F(ItemsTest, HeartSizeIsDrawnAfreshEveryFrameWithin17To20) {
    CardRandom random;
    card_random_seed(random, 12345);
    std::set<int> sizes;
    for (int frame = 0; frame < 12; ++frame) {
        CardRandom expected_random = random;
        const int d = card_random_next(expected_random) % 4 + 17;
        const auto lines = printed_by([&] { draw_heart(5, 7, PINK, random); });
        ASSERT_GE(d, 17);
        ASSERT_LE(d, 20);
        sizes.insert(d);
        const std::vector<std::string> expected = {
            circle_sentence("pink", 5 - d + 5, 7, d),
            circle_sentence("pink", 5 + d - 5, 7, d),
            triangle_sentence("pink", 5 - 2 * d + 5, 2, 5 + 2 * d - 5, 2, 5, 7 - 2 * d - 5),
        };
        EXPECT_EQ(lines, expected) << "frame " << frame;
        EXPECT_EQ(random.state, expected_random.state) << "one generator call per heart";
    }
    EXPECT_GT(sizes.size(), 1u);
}

// The shaft the arrow should draw with its centre at (cx, cy) in frame n.
std::string shaft_for_centre(int n, int cx, int cy) {
    const double theta = (n - 5) / 12.0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    return line_sentence("black", static_cast<int>(cx - 30 * c), static_cast<int>(cy + 30 * s),
                         static_cast<int>(cx + 30 * c), static_cast<int>(cy - 30 * s), 3);
}

TEST_F(ItemsTest, ArrowFliesRightAlongItsArcAndComesBackAfterTenFrames) {
    const std::pair<int, int> centres[] = {{0, 0},  {10, 1}, {20, 2}, {30, 3}, {40, 3},
                                           {50, 4}, {60, 4}, {70, 3}, {80, 3}, {90, 1}};
    int counter = 0;
    for (int n = 0; n < 10; ++n) {
        const auto lines = printed_by([&] { draw_arrow(-100, 20, BLACK, counter); });
        ASSERT_EQ(lines.size(), 8u) << "shaft, head and six tail strokes";
        EXPECT_EQ(lines[0], shaft_for_centre(n, -100 + centres[n].first, 20 + centres[n].second))
            << "frame " << n;
        EXPECT_EQ(counter, (n + 1) % 10);
    }
    EXPECT_EQ(counter, 0);
}

TEST_F(ItemsTest, ArrowShaftAndTipInFirstAndLastFrame) {
    int counter = 0;
    auto lines = printed_by([&] { draw_arrow(0, 0, BLACK, counter); });
    EXPECT_EQ(lines[0], line_sentence("black", -27, -12, 27, 12, 3));
    EXPECT_EQ(lines[1].rfind("black triangle at (32,14), ", 0), 0u) << lines[1];

    counter = 9;
    lines = printed_by([&] { draw_arrow(0, 0, BLACK, counter); });
    EXPECT_EQ(lines[0], line_sentence("black", 61, 10, 118, -8, 3));
    EXPECT_EQ(lines[1].rfind("black triangle at (124,-10), ", 0), 0u) << lines[1];
    EXPECT_EQ(counter, 0);
}

TEST_F(ItemsTest, ArrowTailColourWrapsAroundThePalette) {
    const struct {
        int color;
        const char *body;
        const char *tail;
    } cases[] = {{GRAY_50, "50% gray", "black"}, {GRAY_20, "20% gray", "white"}};
    for (const auto &arrow : cases) {
        int counter = 3;
        const auto lines = printed_by([&] { draw_arrow(0, 0, arrow.color, counter); });
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[0].rfind(std::string(arrow.body) + " line from", 0), 0u) << lines[0];
        EXPECT_EQ(lines[1].rfind(std::string(arrow.body) + " triangle at", 0), 0u) << lines[1];
        for (size_t i = 2; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].rfind(std::string(arrow.tail) + " triangle at", 0), 0u) << lines[i];
        }
    }
}

TEST_F(ItemsTest, ShapeVariantPicksTheDesign) {
    CardRandom random = random_giving(3, 0);
    int counter = 0;
    EXPECT_EQ(printed_by([&] { draw_shape(1, BLUE, 0, 0, counter, random); }).size(), 5u);
    EXPECT_EQ(printed_by([&] { draw_shape(4, BLUE, 0, 0, counter, random); }).size(), 3u);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(printed_by([&] { draw_shape(2, BLUE, 0, 0, counter, random); }).size(), 8u);
    EXPECT_EQ(counter, 1);
    const auto sun = printed_by([&] { draw_shape(3, BLUE, 0, 0, counter, random); });
    EXPECT_EQ(sun.front(), circle_sentence("blue", 0, 0, 30));
    EXPECT_EQ(counter, 1);
}

TEST_F(ItemsTest, MessageShowsItsPhraseInItsColour) {
    for (int variant = 0; variant < PHRASE_COUNT; ++variant) {
        int counter = 0;
        const auto lines = printed_by([&] { draw_message(variant, TURQUOISE, 12, -34, counter); });
        EXPECT_EQ(lines, std::vector<std::string>{"turquoise text at (12,-34), \"" +
                                                  std::string(PHRASES[variant]) + "\"\n"});
    }
}

TEST_F(ItemsTest, MessageGrowsOneSizePerFrameAndWrapsToZero) {
    KELTO_logging(0);
    const kelto::Image &surface = kelto::events::surface().image();
    const int sizes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 1};
    int counter = 0;
    std::vector<uint32_t> first_frame;
    for (const int size : sizes) {
        KELTO_clear();
        draw_message(2, RED, -100, 0, counter);
        EXPECT_EQ(counter, size);
        const std::vector<uint32_t> drawn = surface.pixels;
        KELTO_clear();
        KELTO_text(RED, -100, 0, size, "Be My Valentine");
        EXPECT_TRUE(drawn == surface.pixels) << "size " << size;
        if (first_frame.empty()) first_frame = drawn;
        if (size == 19) {
            EXPECT_FALSE(drawn == first_frame) << "size 19 looks like size 1";
        }
    }
}

TEST_F(ItemsTest, OneGeneratorCallPerDesignPerFrameInSlotOrder) {
    CardModel model;
    add_shape(-100, 100, model);  // heart
    add_message(0, 0, model);
    add_shape(50, 50, model);
    model.variant[2] = 2;  // arrow: draws nothing at random
    add_shape(100, -100, model);
    model.variant[3] = 1;  // burst
    add_shape(-50, -50, model);
    model.variant[4] = 3;  // sun
    card_random_seed(model.random, 2024);

    KELTO_logging(0);
    for (int frame = 0; frame < 5; ++frame) {
        CardRandom expected = model.random;
        for (int call = 0; call < 3; ++call) card_random_next(expected);
        draw_card(model);
        EXPECT_EQ(model.random.state, expected.state) << "frame " << frame;
    }
}

TEST_F(ItemsTest, DesignsDrawFromTheGeneratorInSlotOrder) {
    CardModel model;
    add_shape(-100, 100, model);  // heart
    add_shape(100, -100, model);
    model.variant[1] = 1;  // burst
    add_shape(-50, -50, model);
    model.variant[2] = 3;  // sun
    model.mode = ADD_SHAPE;
    card_random_seed(model.random, 7);

    CardRandom expected = model.random;
    const int d = card_random_next(expected) % 4 + 17;
    const int burst_k = card_random_next(expected) % 3 + 5;
    const int sun_k = card_random_next(expected) % 3 + 5;
    const auto line_count = [](int k) { return static_cast<std::size_t>(k == 7 ? 8 : k); };

    const auto lines = printed_by([&] { draw_card(model); });
    const size_t burst_start = 1 + 3;
    const size_t sun_start = burst_start + line_count(burst_k);
    ASSERT_EQ(lines.size(), sun_start + 1 + line_count(sun_k) + 1);
    EXPECT_EQ(lines.front(),
              "yellow rectangle with bounding box (-140,200) to (220,-150), filled\n");
    EXPECT_EQ(lines[1], circle_sentence("black", -100 - d + 5, 100, d));
    EXPECT_EQ(lines[burst_start], line_sentence("black", 140, -100, 60, -100, 1));
    EXPECT_EQ(lines[sun_start], circle_sentence("black", -50, -50, 30));
    EXPECT_EQ(lines.back(), "black text at (-140,-190), \"Click on the card to add a shape\"\n");
}

// The rest of the frame around the items.
using FrameTest = ItemsTest;

TEST_F(FrameTest, BackgroundIsOneWhiteRectangle) {
    EXPECT_EQ(printed_by([] { draw_background(); }),
              std::vector<std::string>{
                  "white rectangle with bounding box (-300,250) to (300,-250), filled\n"});
}

TEST_F(FrameTest, PanelIsSixOutlinedButtonsWithBlackLabels) {
    const auto lines = printed_by([] { draw_panel(-1); });
    ASSERT_EQ(lines.size(), 12u);
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const int b = 250 - 35 * i;
        char outline[128];
        std::snprintf(
            outline, sizeof outline,
            "black rectangle with bounding box (-296,%d) to (-200,%d) with line width 1\n", b - 2,
            b - 37);
        const auto at = static_cast<std::size_t>(2 * i);
        EXPECT_EQ(lines[at], outline);
        EXPECT_EQ(lines[at + 1], "black text at (-294," + std::to_string(b - 17) + "), \"" +
                                     BUTTON_LABELS[i] + "\"\n");
    }
    EXPECT_EQ(printed_by([] { draw_panel(3); })[7], "red text at (-294,128), \"Add Message\"\n");
}

TEST_F(FrameTest, StatusLineFollowsTheMode) {
    const struct {
        EditMode mode;
        int color;
        const char *color_name;
        int size;
        const char *text;
    } cases[] = {
        {ADD_SHAPE, BLACK, "black", 14, "Click on the card to add a shape"},
        {ADD_MESSAGE, BLACK, "black", 14, "Click on the card to add a message"},
        {OBJECT_SELECTED, RED, "red", 11, "Object selected. Click button to change shape."},
        {SELECT_OBJECT, BLACK, "black", 14, "Click on the card to select an object"},
        {STATUS_ERROR, BLACK, "black", 14, "Status error -- notify programmer"},
    };
    const kelto::Image &surface = kelto::events::surface().image();
    for (const auto &status : cases) {
        CardModel model;
        model.mode = status.mode;
        KELTO_logging(1);
        const auto lines = printed_by([&] { draw_card(model); });
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], std::string(status.color_name) + " text at (-140,-190), \"" +
                                status.text + "\"\n");

        // The text size shows only in the pixels.
        KELTO_logging(0);
        KELTO_clear();
        draw_card(model);
        const std::vector<uint32_t> drawn = surface.pixels;
        KELTO_clear();
        KELTO_rectangle(YELLOW, -140, -150, 220, 200, 0);
        KELTO_text(status.color, -140, -190, status.size, status.text);
        EXPECT_TRUE(drawn == surface.pixels) << status.text;
    }
}

}  // namespace
