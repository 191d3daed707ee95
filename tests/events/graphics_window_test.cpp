// The graphics window procedure: menu, Ctrl keys, characters, logging and
// text-window switches, origin, and start-up state.
#include "events/graphics_window.h"

#include <gtest/gtest.h>

#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "script/script.h"
#include "support/kelto_fixture.h"

using namespace kelto;
using namespace kelto::platform;

namespace {

int instance_token;

class GraphicsWindowTest : public kelto::test::KeltoFixture {
protected:
    int wait() {
        int x, y;
        char key;
        return KELTO_await_event(&x, &y, &key);
    }

    // Runs every queued message through the library by waiting for a click
    // queued behind them.
    void settle() {
        display->click(graphics, 0, 0);
        while (wait() != KELTO_MOUSE) {
        }
    }

    const MenuItem &run_item(std::size_t position) {
        return platform::window_system().menu(events::state().run_menu)->items.at(position - 1);
    }

    void ctrl(unsigned letter, unsigned character, WindowHandle window = 0) {
        window = window ? window : graphics;
        display->key_down(window, VK_CONTROL);
        display->key_down(window, letter, character);
        display->key_up(window, letter);
        display->key_up(window, VK_CONTROL);
    }
};

TEST_F(GraphicsWindowTest, TheRunMenuHasItsSixteenPositions) {
    const Menu *bar =
        platform::window_system().menu(platform::window_system().find(graphics)->menu);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->items.size(), 1u);
    EXPECT_EQ(bar->items[0].text, "&Run");
    EXPECT_EQ(bar->items[0].popup, events::state().run_menu);
    const Menu *run = platform::window_system().menu(events::state().run_menu);
    ASSERT_EQ(run->items.size(), 16u);
    EXPECT_EQ(run_item(1).text, "&Animate\tCtrl+A");
    EXPECT_EQ(run_item(3).text, "Advance one &frame\tCtrl+F");
    EXPECT_EQ(run_item(5).id, 4);
    EXPECT_EQ(run_item(9).text, "Play &One Script\tCtrl+O");
    EXPECT_EQ(run_item(11).id, 8);
    for (std::size_t position : {4u, 6u, 10u, 12u}) EXPECT_TRUE(run_item(position).separator);
    EXPECT_EQ(run_item(13).text, "KELTO v2.2 July 1997");
    for (std::size_t position = 13; position <= 16; ++position) {
        EXPECT_TRUE(run_item(position).greyed);
        EXPECT_EQ(run_item(position).id, 9);
    }
    for (std::size_t position = 1; position <= 11; ++position)
        EXPECT_FALSE(run_item(position).greyed) << position;
}

TEST_F(GraphicsWindowTest, StartUpStateAndCheckMarks) {
    const events::EventState &state = events::state();
    EXPECT_TRUE(state.logging);
    EXPECT_FALSE(state.animating);
    EXPECT_FALSE(state.one_frame);
    EXPECT_FALSE(script::state().recording);
    EXPECT_FALSE(script::state().playing);
    EXPECT_TRUE(run_item(5).checked);
    for (std::size_t position : {1u, 2u, 3u, 7u, 8u, 9u, 11u})
        EXPECT_FALSE(run_item(position).checked);
    EXPECT_EQ(KELTO_logging(0), 1);
    EXPECT_FALSE(run_item(5).checked);
    EXPECT_FALSE(state.logging);
}

TEST_F(GraphicsWindowTest, TheOriginIsTheCentreOfTheClientArea) {
    EXPECT_EQ(platform::window_system().client_rect(graphics), (Rect{0, 0, 595, 490}));
    EXPECT_EQ(events::surface().origin_x(), 297);
    EXPECT_EQ(events::surface().origin_y(), 245);
    platform::window_system().send_message(graphics, WM_SIZE, 0,
                                           make_lparam(1, 1));  // size is re-read
    EXPECT_EQ(events::surface().origin_x(), 297);
}

TEST_F(GraphicsWindowTest, CtrlLettersIgnoreCaseAndShift) {
    ctrl('A', 1);
    settle();
    EXPECT_TRUE(events::state().animating);
    ctrl('H', 8);
    settle();
    EXPECT_FALSE(events::state().animating);
    display->key_down(graphics, VK_CONTROL);
    display->key_down(graphics, VK_SHIFT);
    display->key_down(graphics, 'A', 1);
    display->key_up(graphics, VK_SHIFT);
    display->key_up(graphics, VK_CONTROL);
    settle();
    EXPECT_TRUE(events::state().animating);
    // Only letter keys count: F2 shares its code with a lower-case 'q'.
    platform::window_system().send_message(graphics, WM_KEYDOWN, VK_CONTROL, 0);
    platform::window_system().send_message(graphics, WM_KEYDOWN, 0x71, 0);
    platform::window_system().send_message(graphics, WM_KEYDOWN, 0x68, 0);
    EXPECT_TRUE(events::state().animating);
    Message message;
    while (platform::window_system().peek_message(message)) {
        EXPECT_NE(message.message, WM_QUIT);
        platform::window_system().dispatch_message(message);
    }
}

TEST_F(GraphicsWindowTest, WhileCtrlIsHeldNoCharacterMakesAnEvent) {
    ctrl('B', 2);
    display->after(display->now_ms() + 500, [&] { display->key(graphics, 'C', 'c'); });
    int x, y;
    char key;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_KBD);
    EXPECT_EQ(key, 'c');  // Ctrl+B made no event
    EXPECT_FALSE(events::state().animating);
    EXPECT_TRUE(events::state().logging);
}

TEST_F(GraphicsWindowTest, AutoRepeatTogglesLoggingPerRepeat) {
    display->key_down(graphics, VK_CONTROL);
    for (int repeat = 0; repeat < 3; ++repeat) display->key_down(graphics, 'L', 12);
    display->key_up(graphics, 'L');
    display->key_up(graphics, VK_CONTROL);
    settle();
    EXPECT_FALSE(events::state().logging);  // three toggles
    EXPECT_FALSE(run_item(5).checked);
    EXPECT_FALSE(platform::window_system().is_visible(console::state().text_window) &&
                 events::state().logging);  // the menu toggle does not show the text window
}

TEST_F(GraphicsWindowTest, MenuCommandsMatchTheirKeys) {
    display->menu_command(graphics, 1);
    settle();
    EXPECT_TRUE(events::state().animating);
    display->menu_command(graphics, 3);
    settle();
    EXPECT_FALSE(events::state().animating);
    display->menu_command(graphics, 7);
    display->menu_command(graphics, 42);  // unknown identifiers are ignored
    settle();
    EXPECT_FALSE(events::state().one_frame);
    EXPECT_FALSE(events::state().animating);
    display->menu_command(graphics, 5);
    settle();
    EXPECT_TRUE(script::state().recording);
    EXPECT_TRUE(run_item(7).checked);
    display->menu_command(graphics, 5);
    settle();
    EXPECT_FALSE(script::state().recording);
    EXPECT_FALSE(run_item(7).checked);
}

TEST_F(GraphicsWindowTest, CtrlReleasedElsewhereIsForgotten) {
    display->key_down(graphics, VK_CONTROL);
    settle();
    EXPECT_TRUE(events::state().ctrl_down);
    display->focus(console::state().text_window);  // still a library window
    EXPECT_TRUE(events::state().ctrl_down);
    display->focus(0);  // another program takes the focus; Ctrl is released there
    EXPECT_FALSE(events::state().ctrl_down);
    display->focus(graphics);
    display->key(graphics, 'A', 'a');
    int x, y;
    char key;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_KBD);
    EXPECT_EQ(key, 'a');
}

TEST_F(GraphicsWindowTest, LoggingAndTextWindowSwitches) {
    const WindowHandle text = console::state().text_window;
    EXPECT_EQ(KELTO_show_text(0), 1);
    EXPECT_EQ(KELTO_show_text(0), 0);
    EXPECT_FALSE(platform::window_system().is_visible(text));
    EXPECT_EQ(KELTO_logging(5), 1);
    EXPECT_TRUE(events::state().logging);
    EXPECT_TRUE(platform::window_system().is_visible(text));
    EXPECT_TRUE(run_item(5).checked);
    EXPECT_EQ(KELTO_logging(0), 1);
    EXPECT_TRUE(platform::window_system().is_visible(text));  // switching off does not hide it
    EXPECT_EQ(KELTO_show_text(1), 1);
    EXPECT_EQ(platform::window_system().focus(), text);
}

TEST(StartUpTest, NotOpenYet) {
    platform::use_headless_display();
    int x = 1, y = 1;
    char key = 1;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);  // nothing could ever come
    EXPECT_EQ(x, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(KELTO_logging(1), 0);
    EXPECT_EQ(KELTO_run_control(RUN_ANIMATE), 0);
    EXPECT_FALSE(events::state().animating);
    EXPECT_EQ(KELTO_close(), 1);  // no script was ever opened
}

// Drawing calls do not test whether the library is open: without a surface
// they draw nothing, but still log and mark the surface changed.
TEST(StartUpTest, APixelBeforeOpeningOnlyLogsAndMarksTheSurfaceChanged) {
    events::surface().take_changed();
    EXPECT_EQ(KELTO_pixel(RED, 3, 4), 1);
    EXPECT_EQ(console::console_lines(), std::vector<std::string>{"red pixel at (3,4)\n"});
    EXPECT_TRUE(events::surface().changed());
    EXPECT_TRUE(events::surface().image().pixels.empty());
}

struct ScreenCase {
    int width, height;
    Rect text_window;
};

class TextWindowGeometryTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(TextWindowGeometryTest, FollowsTheScreen) {
    const ScreenCase screen = GetParam();
    platform::use_headless_display().set_screen_size(screen.width, screen.height);
    KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_EQ(platform::window_system().find(console::state().text_window)->outer,
              screen.text_window);
    EXPECT_EQ(platform::window_system().find(events::state().graphics_window)->outer,
              (Rect{0, 0, 601, 540}));
    EXPECT_EQ(platform::window_system().find(console::state().text_window)->title, "KELTO Text");
    EXPECT_EQ(platform::window_system().find(events::state().graphics_window)->title,
              "KELTO Graphics");
}

INSTANTIATE_TEST_SUITE_P(Screens, TextWindowGeometryTest,
                         ::testing::Values(ScreenCase{1024, 768, {0, 513, 1024, 769}},
                                           ScreenCase{800, 600, {0, 401, 800, 601}},
                                           ScreenCase{1920, 1080, {0, 721, 1920, 1081}}));

TEST(StartUpTest, APreviousInstanceSkipsClassRegistration) {
    platform::use_headless_display();
    KELTO_open(&instance_token, &instance_token, nullptr, SW_SHOWNORMAL);
    EXPECT_FALSE(platform::window_system().class_registered("DrawWndClass"));
    EXPECT_FALSE(platform::window_system().class_registered("TextWndClass"));
    EXPECT_FALSE(events::surface().image().pixels.empty());  // everything else proceeds
    EXPECT_EQ(KELTO_close(), 1);
}

TEST(StartUpTest, ShowingActivatesTheGraphicsWindowLast) {
    platform::use_headless_display();
    EXPECT_EQ(KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL), 1);
    EXPECT_TRUE(platform::window_system().is_visible(console::state().text_window));
    EXPECT_EQ(platform::window_system().focus(), events::state().graphics_window);
    EXPECT_EQ(events::state().instance, &instance_token);
    EXPECT_TRUE(platform::window_system().next_timer_deadline().has_value());
}

}  // namespace
