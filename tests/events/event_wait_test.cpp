// The event wait and run states, driven through the headless display the way
// a user's input would arrive.
#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/awaited_event.h"
#include "support/kelto_fixture.h"

using namespace kelto;
using namespace kelto::platform;

namespace {

class EventWaitTest : public kelto::test::KeltoFixture {
protected:
    static test::Event wait() { return test::await_event(); }

    // Schedules `action` at `delay` virtual milliseconds from now.
    void at(int64_t delay, std::function<void()> action) {
        display->after(display->now_ms() + delay, std::move(action));
    }
};

TEST_F(EventWaitTest, AnimatingGivesOnePeriodicEventPerTick) {
    KELTO_run_control(RUN_ANIMATE);
    int64_t previous = display->now_ms();
    for (int i = 0; i < 5; ++i) {
        const test::Event event = wait();
        EXPECT_EQ(event.kind, KELTO_PERIODIC);
        EXPECT_EQ(event.x, 0);
        EXPECT_EQ(event.key, 0);
        EXPECT_GT(display->now_ms(), previous);  // a new tick each time
        previous = display->now_ms();
    }
}

TEST_F(EventWaitTest, InputReplacesAPeriodicEventWaitingForItsTick) {
    KELTO_run_control(RUN_ANIMATE);
    wait();  // line up with the timer
    at(30, [&] { display->click(graphics, 10, 20); });
    const test::Event event = wait();
    EXPECT_EQ(event.kind, KELTO_MOUSE);
    EXPECT_EQ(event.x, 10 - events::surface().origin_x());
    EXPECT_EQ(event.y, events::surface().origin_y() - 20);
    EXPECT_EQ(event.key, 0);
}

TEST_F(EventWaitTest, CtrlFWhileHaltedGivesExactlyOneFrame) {
    display->key_down(graphics, VK_CONTROL);
    display->key_down(graphics, 'F', 6);  // Ctrl+F types a control character
    display->key_up(graphics, 'F');
    display->key_up(graphics, VK_CONTROL);
    EXPECT_EQ(wait().kind, KELTO_PERIODIC);
    EXPECT_FALSE(events::state().one_frame);
    at(1000, [&] { display->key(graphics, 'X', 'x'); });
    const test::Event event = wait();  // no second frame: only input ends this wait
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 'x');
}

TEST_F(EventWaitTest, HaltingDoesNotWithdrawAChosenPeriodicEvent) {
    KELTO_run_control(RUN_ANIMATE);
    wait();
    at(30, [&] {
        display->key_down(graphics, VK_CONTROL);
        display->key_down(graphics, 'H', 8);
    });
    EXPECT_EQ(wait().kind, KELTO_PERIODIC);
    EXPECT_FALSE(events::state().animating);
}

TEST_F(EventWaitTest, MenuQuitGivesQuitWithEmptyFields) {
    display->click(graphics, 1, 1);
    wait();
    display->menu_command(graphics, 8);
    const test::Event event = wait();
    EXPECT_EQ(event.kind, KELTO_QUIT);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
    EXPECT_EQ(event.key, 0);
    EXPECT_TRUE(platform::window_system().is_window(graphics));  // the window stays
}

TEST_F(EventWaitTest, RunQuitStillWaitsForARealEventThenAlwaysQuits) {
    EXPECT_EQ(KELTO_run_control(RUN_QUIT), 1);
    at(500, [&] { display->key(graphics, 'A', 'a'); });
    const test::Event event = wait();
    EXPECT_EQ(event.kind, KELTO_QUIT);
    EXPECT_EQ(event.key, 'a');  // the real event's fields are handed out
    EXPECT_GE(display->now_ms(), 500);
    display->click(graphics, 1, 1);
    EXPECT_EQ(wait().kind, KELTO_QUIT);
}

TEST_F(EventWaitTest, AQuitTakenDuringPlaybackIsNotLost) {
    std::ofstream("KELTO.SCR") << "KELTO_MOUSE(1, 2);\nKELTO_MOUSE(3, 4);\nKELTO_MOUSE(5, 6);\n";
    display->menu_command(graphics, 6);
    EXPECT_EQ(wait().kind, KELTO_MOUSE);  // the command is taken, then the first line plays
    display->close_box(graphics);         // destroys the window: its quit is the last input
    EXPECT_EQ(wait().kind, KELTO_MOUSE);  // the close is handled in a pass that plays line two
    EXPECT_EQ(wait().kind, KELTO_QUIT);   // the quit it posted is taken before line three
}

TEST_F(EventWaitTest, AHaltedWaitWithNoInputToComeStopsButAnimationRunsOn) {
    int starved = 0;
    display->on_starved([&] {
        ++starved;
        platform::window_system().post_quit(0);
    });
    KELTO_run_control(RUN_ANIMATE);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(wait().kind, KELTO_PERIODIC);
    EXPECT_EQ(starved, 0);  // ticks serve an animating program
    KELTO_run_control(RUN_HALT);
    EXPECT_EQ(wait().kind, KELTO_QUIT);
    EXPECT_EQ(starved, 1);
}

TEST_F(EventWaitTest, RunControlCodes) {
    EXPECT_EQ(KELTO_run_control(RUN_ANIMATE), 1);
    EXPECT_TRUE(events::state().animating);
    EXPECT_EQ(KELTO_run_control(RUN_ONE_FRAME), 1);
    EXPECT_TRUE(events::state().animating);
    EXPECT_TRUE(events::state().one_frame);
    EXPECT_EQ(KELTO_run_control(3), 1);  // accepted, no effect
    EXPECT_EQ(KELTO_run_control(RUN_HALT), 1);
    EXPECT_FALSE(events::state().animating);
    EXPECT_FALSE(events::state().one_frame);
}

TEST_F(EventWaitTest, TheFirstWaitCopiesTheSurfaceEvenIfNothingWasDrawn) {
    events::surface().image().at(10, 10) = 0x00FF00;
    display->click(graphics, 1, 1);
    wait();
    EXPECT_EQ(display->client_image(graphics)->at(10, 10), 0x00FF00u);
    EXPECT_FALSE(events::surface().changed());
}

TEST_F(EventWaitTest, ManyDrawingCallsAreCopiedOnce) {
    KELTO_logging(0);  // the text window's one update is not counted
    display->click(graphics, 1, 1);
    wait();  // takes the start-up paints
    for (int i = 0; i < 100; ++i) KELTO_pixel(BLUE, i, 0);
    const int updates = display->client_updates();
    display->click(graphics, 1, 1);
    wait();
    EXPECT_EQ(display->client_updates() - updates, 1);
    EXPECT_EQ(display->client_image(graphics)->at(events::surface().origin_x() + 50,
                                                  events::surface().origin_y()),
              0x0000FFu);
}

TEST_F(EventWaitTest, OnlyThePartThatDrawingChangedIsCopiedButPaintingCopiesAll) {
    display->click(graphics, 1, 1);
    wait();  // takes the start-up paints
    const int origin_x = events::surface().origin_x(), origin_y = events::surface().origin_y();
    const Image &client = *display->client_image(graphics);
    surface().at(5, 5) = 0x00FF00;  // changed behind the library's back
    KELTO_pixel(BLUE, 10, -20);
    KELTO_pixel(BLUE, -30, 40);
    display->click(graphics, 1, 1);
    wait();
    EXPECT_EQ(display->last_client_area(graphics),
              (Rect{origin_x - 30, origin_y - 40, origin_x + 11, origin_y + 21}));
    EXPECT_EQ(client.at(origin_x + 10, origin_y + 20), 0x0000FFu);
    EXPECT_EQ(client.at(origin_x - 30, origin_y - 40), 0x0000FFu);
    EXPECT_NE(client.at(5, 5), 0x00FF00u);

    window_system().invalidate(graphics, false);
    pump();
    EXPECT_EQ(client.at(5, 5), 0x00FF00u);
    EXPECT_EQ(display->last_client_area(graphics), window_system().client_rect(graphics));
}

TEST_F(EventWaitTest, AnIdleHaltedWaitSleepsUntilInputInsteadOfPolling) {
    display->click(graphics, 1, 1);
    wait();
    const int64_t waits = display->waits();
    at(10'000, [&] { display->key(graphics, 'Z', 'z'); });
    EXPECT_EQ(wait().kind, KELTO_KBD);
    // One sleep per timer tick (100 ticks in ten seconds), not one per pass.
    EXPECT_LE(display->waits() - waits, 101);
}

// ---------------------------------------------------------------- Playback

class PlaybackShowingTest : public EventWaitTest {
protected:
    // Starts playing a script of `events` clicks and takes the first two.
    void play(int events) {
        std::ofstream script("KELTO.SCR");
        for (int i = 0; i < events; ++i) script << "KELTO_MOUSE(" << i << ", 0);\n";
        script.close();
        pump();  // the start-up paints
        display->menu_command(graphics, 6);
        EXPECT_EQ(wait().kind, KELTO_MOUSE);
        // The first picture of the playback is shown at once, which starts
        // the display's refresh interval.
        KELTO_pixel(BLUE, -100, -100);
        EXPECT_EQ(wait().kind, KELTO_MOUSE);
    }
    // The graphics window's image as the display holds it, not brought up to date.
    const Image &held() const { return display->host().window(graphics)->image; }
    // Whether the held image shows the program point (x, y) in `color`.
    bool shows(int x, int y, uint32_t color) const {
        return held().at(events::surface().origin_x() + x, events::surface().origin_y() - y) ==
               color;
    }
};

TEST_F(PlaybackShowingTest, APlayingScriptShowsTheSurfaceOncePerDisplayRefresh) {
    play(10);
    KELTO_pixel(BLUE, 1, 1);
    EXPECT_EQ(wait().kind, KELTO_MOUSE);
    EXPECT_FALSE(shows(1, 1, 0x0000FF)) << "no refresh has passed";
    display->advance(platform::WindowSystem::kShowIntervalMs);
    KELTO_pixel(BLUE, 2, 2);
    EXPECT_EQ(wait().kind, KELTO_MOUSE);
    EXPECT_TRUE(shows(1, 1, 0x0000FF));
    EXPECT_TRUE(shows(2, 2, 0x0000FF));
    KELTO_pixel(BLUE, 3, 3);
    EXPECT_EQ(wait().kind, KELTO_MOUSE);
    EXPECT_FALSE(shows(3, 3, 0x0000FF));
    // Read back, it is up to date.
    display->client_image(graphics);
    EXPECT_TRUE(shows(3, 3, 0x0000FF));
}

TEST_F(PlaybackShowingTest, TheEndOfTheScriptShowsTheLastPicture) {
    play(3);
    EXPECT_EQ(wait().kind, KELTO_MOUSE);
    KELTO_pixel(BLUE, 4, 4);
    at(1, [&] {
        EXPECT_TRUE(shows(4, 4, 0x0000FF)) << "shown before the program blocks";
        display->click(graphics, 1, 1);
    });
    EXPECT_EQ(wait().kind, KELTO_MOUSE);
    EXPECT_EQ(console::console_lines().back(), "EOF encountered in script file KELTO.SCR\n");
}

TEST_F(PlaybackShowingTest, ADialogShowsThePictureBehindIt) {
    play(5);
    KELTO_pixel(BLUE, 5, 5);
    EXPECT_EQ(wait().kind, KELTO_MOUSE);
    EXPECT_FALSE(shows(5, 5, 0x0000FF));
    bool checked = false;
    display->on_dialog_started([&](platform::WindowHandle dialog) {
        EXPECT_TRUE(shows(5, 5, 0x0000FF));
        checked = true;
        at(0, [this, dialog] { display->key(dialog, platform::VK_RETURN); });
    });
    char line[80] = "";
    KELTO_gets("Name?", line);
    EXPECT_TRUE(checked);
}

TEST_F(PlaybackShowingTest, ADisplayThatShowsEveryChangeSeesEachPicture) {
    display->show_every_change(
        [this](platform::WindowHandle window) { return window == graphics; });
    play(5);
    for (int i = 0; i < 3; ++i) {
        KELTO_pixel(BLUE, i, -i);
        EXPECT_EQ(wait().kind, KELTO_MOUSE);
        EXPECT_TRUE(shows(i, -i, 0x0000FF)) << "event " << i;
    }
}

// ---------------------------------------------------------------- Start-up

using Shows = std::vector<std::pair<WindowHandle, bool>>;

TEST_F(EventWaitTest, TheWindowsAppearAtTheFirstWaitTheGraphicsWindowLast) {
    const WindowHandle text = console::state().text_window;
    EXPECT_TRUE(display->shows().empty());
    EXPECT_TRUE(window_system().is_visible(text));
    display->click(graphics, 1, 1);
    wait();
    EXPECT_EQ(display->shows(), (Shows{{text, true}, {graphics, true}}));
    EXPECT_EQ(window_system().focus(), graphics);
}

TEST_F(EventWaitTest, ATextWindowHiddenBeforeTheFirstWaitNeverAppears) {
    EXPECT_EQ(KELTO_show_text(0), 1) << "it was shown";
    display->click(graphics, 1, 1);
    wait();
    EXPECT_EQ(display->shows(), (Shows{{graphics, true}}));
    EXPECT_EQ(window_system().focus(), graphics);
    // Later shows reach the display at once.
    EXPECT_EQ(KELTO_show_text(1), 0);
    EXPECT_EQ(display->shows().back(), std::make_pair(console::state().text_window, true));
}

// A program that draws and then never waits still gets its window, at its
// first drawing call, net of the hides made before it; the fast pixel path
// (palette colour, logging off) lets the windows go too.
TEST_F(EventWaitTest, TheFirstDrawingCallLetsTheHeldWindowsAppear) {
    EXPECT_EQ(KELTO_show_text(0), 1);
    KELTO_logging(0);
    EXPECT_TRUE(display->shows().empty());
    KELTO_pixel(1, 0, 0);
    EXPECT_EQ(display->shows(), (Shows{{graphics, true}}));
    KELTO_circle(2, 0, 0, 5);
    EXPECT_EQ(display->shows().size(), 1u) << "let go once";
    EXPECT_EQ(window_system().focus(), graphics);
}

TEST_F(EventWaitTest, ClearingLetsTheHeldWindowsAppearToo) {
    KELTO_clear();
    EXPECT_EQ(display->shows(), (Shows{{console::state().text_window, true}, {graphics, true}}));
}

}  // namespace
