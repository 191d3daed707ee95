// The text console: the ring of 25 lines, KELTO_printf, the rows drawn into
// the text window and its repaint, and the keys it hands on.
#include <string>

#include "draw/fonts.h"
#include "platform/system.h"
#include "support/kelto_fixture.h"

namespace kelto::test {
namespace {

using platform::WindowHandle;

class ConsoleTest : public KeltoFixture {
protected:
    static WindowHandle text_window() { return console::state().text_window; }
    Image text_image() const { return *display->client_image(text_window()); }

    // Rows [top, top + h) of the text window's client image.
    static std::vector<uint32_t> band(const Image &image, int top) {
        const int h = console::console_row_height();
        return {image.row(top), image.row(top) + static_cast<std::ptrdiff_t>(h) * image.width};
    }
    // Band k counted from the bottom (0: the bottom row).
    static std::vector<uint32_t> row_from_bottom(const Image &image, int k) {
        return band(image, image.height - (k + 1) * console::console_row_height());
    }
    // What a console row showing `text` looks like.
    std::vector<uint32_t> expected_row(std::string_view text) const {
        const Image &window = *display->client_image(text_window());
        Image row(window.width, console::console_row_height(), kWhite);
        text::fonts().draw(row, text::Face::Mono, console::kConsoleCharHeight, 5, 0, text, kBlack);
        return row.pixels;
    }
};

TEST_F(ConsoleTest, RingIndicesAfterOneTwentyFiveAndTwentySixLines) {
    console::ConsoleState &state = console::state();
    EXPECT_EQ(state.first, -1);
    EXPECT_EQ(state.next, 0);
    KELTO_printf("line %d\n", 1);
    EXPECT_EQ(state.first, 0);
    EXPECT_EQ(state.next, 1);
    EXPECT_STREQ(state.lines[0].get(), "line 1\n");
    for (int i = 2; i <= 25; ++i) KELTO_printf("line %d\n", i);
    EXPECT_EQ(state.first, 0);
    EXPECT_EQ(state.next, 0);
    EXPECT_EQ(console::console_lines().front(), "line 1\n");
    KELTO_printf("line %d\n", 26);
    EXPECT_EQ(state.first, 1);
    EXPECT_EQ(state.next, 1);
    EXPECT_STREQ(state.lines[0].get(), "line 26\n");
    const std::vector<std::string> lines = console::console_lines();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines.front(), "line 2\n");
    EXPECT_EQ(lines.back(), "line 26\n");
}

TEST_F(ConsoleTest, RepaintAfterThirtyLinesShowsTheLastTwentyFiveNewestAtTheBottom) {
    for (int i = 1; i <= 30; ++i) KELTO_printf("console line number %d\n", i);
    const Image scrolled = text_image();
    platform::window_system().invalidate(text_window());
    platform::window_system().send_message(text_window(), platform::WM_PAINT, 0, 0);
    const Image repainted = text_image();
    ASSERT_GE(repainted.height, 25 * console::console_row_height());
    for (int k = 0; k < 25; ++k) {
        const std::vector<uint32_t> expected =
            expected_row("console line number " + std::to_string(30 - k));
        ASSERT_NE(expected, expected_row("")) << "the row shows text";
        EXPECT_EQ(row_from_bottom(repainted, k), expected) << "row " << k;
        EXPECT_EQ(row_from_bottom(scrolled, k), expected) << "row " << k;
    }
    // Above the 25 rows the repaint leaves the background.
    for (int y = 0; y < repainted.height - 25 * console::console_row_height(); ++y)
        for (int x = 0; x < repainted.width; ++x) ASSERT_EQ(repainted.at(x, y), kWhite);
}

TEST_F(ConsoleTest, OnlyOneTrailingNewlineIsLeftOut) {
    KELTO_printf("abc\n");
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row("abc"));
    KELTO_printf("abc");
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row("abc"));
    EXPECT_EQ(row_from_bottom(text_image(), 1), expected_row("abc"));
    KELTO_printf("abc\n\n");
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row("abc\n"));
    KELTO_printf("ab\ncd");
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row("ab\ncd"));
    EXPECT_EQ(console::console_lines().back(), "ab\ncd");
}

TEST_F(ConsoleTest, EmptyLineIsStoredAndScrollsByOneEmptyRow) {
    KELTO_printf("abc\n");
    EXPECT_EQ(KELTO_printf("%s", ""), 0);
    EXPECT_EQ(console::console_lines().back(), "");
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row(""));
    EXPECT_EQ(row_from_bottom(text_image(), 1), expected_row("abc"));
}

TEST_F(ConsoleTest, Utf8LinesShowTheCharactersTheyName) {
    KELTO_printf(
        "Gr\xC3\xBC\xC3\x9F"
        "e, %s\n",
        "\xE2\x82\xAC");
    EXPECT_EQ(console::console_lines().back(),
              "Gr\xC3\xBC\xC3\x9F"
              "e, \xE2\x82\xAC\n");
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row("Gr\xFC\xDF"
                                                             "e, \x80"));
}

TEST_F(ConsoleTest, ReturnsTheFormattersCount) {
    EXPECT_EQ(KELTO_printf("Illegal color %d; using RED.\n", 99), 29);
    EXPECT_EQ(console::console_lines().back(), "Illegal color 99; using RED.\n");
}

TEST_F(ConsoleTest, OverlongOutputIsCutAtTheBuffer) {
    const std::string long_text(5000, 'x');
    EXPECT_EQ(KELTO_printf("%s", long_text.c_str()), 5000);
    EXPECT_EQ(console::console_lines().back(), long_text.substr(0, 1023));
    EXPECT_EQ(row_from_bottom(text_image(), 0), expected_row(long_text.substr(0, 1023)));
}

TEST_F(ConsoleTest, ControlIsForgottenWhenTheFocusLeavesTheProgram) {
    display->focus(text_window());
    display->key_down(text_window(), platform::VK_CONTROL);
    pump();
    EXPECT_TRUE(events::state().ctrl_down);
    display->focus(events::state().graphics_window);
    EXPECT_TRUE(events::state().ctrl_down) << "the focus stays with the library";
    display->focus(text_window());
    display->focus(0);
    EXPECT_FALSE(events::state().ctrl_down);
}

TEST_F(ConsoleTest, PrintingAfterTheTextWindowIsClosedStillStoresTheLine) {
    display->close_box(text_window());
    pump();
    ASSERT_FALSE(platform::window_system().is_window(text_window()));
    EXPECT_EQ(KELTO_printf("after %s\n", "close"), 12);
    EXPECT_EQ(console::console_lines().back(), "after close\n");
}

TEST(ConsoleWithoutWindows, PrintingBeforeOpenStoresTheLine) {
    EXPECT_EQ(KELTO_printf("%d %s\n", 7, "early"), 8);
    EXPECT_EQ(console::console_lines(), std::vector<std::string>{"7 early\n"});
}

}  // namespace
}  // namespace kelto::test
