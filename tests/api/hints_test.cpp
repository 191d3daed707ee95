// The hints a program gets about its use of the library: calls before
// KELTO_open (once per call, through the display, never into the console),
// and a program that ends without ever waiting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::test {
namespace {

int instance_token;

// Lives as long as the process: the display may give a hint at exit.
std::vector<std::string> &hints() {
    static auto *const lines = new std::vector<std::string>;
    return *lines;
}

class Hints : public ::testing::Test {
protected:
    void SetUp() override {
        display = &platform::use_headless_display();
        display->on_hint([](std::string_view line) { hints().emplace_back(line); });
    }

    platform::HeadlessDisplay *display = nullptr;
};

TEST_F(Hints, EachEarlyCallHintsOnceNamingTheFormCalledAndKeepsItsAnswer) {
    EXPECT_EQ(KELTO_circle(RED, 0, 0, 20), 1);
    EXPECT_EQ(KELTO_circle_pt(RED, Point{0, 0}, 20), 1);
    EXPECT_EQ(KELTO_circle(RED, 5, 5, 20), 1);
    EXPECT_EQ(KELTO_pixel_pt(BLUE, Point{1, 1}), 1);
    EXPECT_EQ(KELTO_pixel(BLUE, 1, 1), 1);
    EXPECT_EQ(KELTO_text_printf(BLACK, 0, 0, 12, "%d", 42), 2);
    EXPECT_EQ(KELTO_text(BLACK, 0, 0, 12, "a"), 1);
    EXPECT_EQ(KELTO_clear(), 1);
    int x = -1, y = -1;
    char key = 'z';
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);

    ASSERT_EQ(hints().size(), 5u);
    EXPECT_EQ(hints()[0],
              "KELTO_circle was called before KELTO_open and draws nothing: call KELTO_open "
              "first, at the start of KELTO_main.");
    EXPECT_EQ(hints()[1].rfind("KELTO_pixel_pt was called before KELTO_open and draws nothing", 0),
              0u);
    EXPECT_EQ(hints()[2].rfind("KELTO_text_printf was called", 0), 0u);
    EXPECT_EQ(hints()[3].rfind("KELTO_clear was called before KELTO_open and clears nothing", 0),
              0u);
    EXPECT_EQ(
        hints()[4].rfind(
            "KELTO_await_event was called before KELTO_open and returns KELTO_QUIT at once", 0),
        0u);
    // The console has the calls' sentences, as before, and no hint.
    const std::vector<std::string> lines = console::console_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "red circle at (0,0), radius 20\n");
    for (const std::string &line : lines) EXPECT_EQ(line.find("KELTO_open"), std::string::npos);
}

TEST_F(Hints, CallsAfterOpenGiveNone) {
    KELTO_open(&instance_token, nullptr, nullptr, platform::SW_SHOWNORMAL);
    KELTO_circle(RED, 0, 0, 20);
    KELTO_pixel(BLUE, 1, 1);
    KELTO_triangle_pt(GREEN, Point{0, 0}, Point{5, 0}, Point{0, 5}, 1);
    KELTO_clear();
    display->after(0, [this] { display->click(events::state().graphics_window, 10, 10); });
    EXPECT_EQ(KELTO_await_event(nullptr, nullptr, nullptr), KELTO_MOUSE);
    EXPECT_TRUE(hints().empty());
}

// A hint before the window system exists never makes the display (a
// desktop display may fail to start without a screen).
TEST(HintsWithoutDisplay, GoToStandardError) {
    ::testing::internal::CaptureStderr();
    platform::hint("Advice.");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Advice.\n");
}

void open_and_draw() {
    platform::use_headless_display();
    KELTO_open(&instance_token, nullptr, nullptr, platform::SW_SHOWNORMAL);
    KELTO_circle(RED, 0, 0, 20);
}

TEST(EndHint, AProgramThatNeverWaitedIsToldWhyItsWindowFlashed) {
    EXPECT_EXIT(
        {
            open_and_draw();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "ended without ever waiting for an event.*KELTO_await_event");
}

TEST(EndHint, AProgramThatWaitedEndsQuietly) {
    EXPECT_EXIT(
        {
            open_and_draw();
            auto &display =
                static_cast<platform::HeadlessDisplay &>(platform::window_system().display());
            display.on_hint([](std::string_view) { std::_Exit(9); });
            display.after(0, [&display] { display.close_box(events::state().graphics_window); });
            while (KELTO_await_event(nullptr, nullptr, nullptr) != KELTO_QUIT) {
            }
            KELTO_close();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kelto::test
