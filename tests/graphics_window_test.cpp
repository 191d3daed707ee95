// The graphics window procedure: menu, Ctrl keys, characters, logging and
// text-window switches, origin, and start-up state.
#include <gtest/gtest.h>

#include "events/lib_state.h"
#include "kelto.h"
#include "kelto_fixture.h"
#include "platform/headless/headless_display.h"
#include "platform/window_system.h"

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

    const MenuItem &run_item(int position) {
        return window_system().menu(lib_state().run_menu)->items.at(position - 1);
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
    const Menu *bar = window_system().menu(window_system().find(graphics)->menu);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->items.size(), 1u);
    EXPECT_EQ(bar->items[0].text, "&Run");
    EXPECT_EQ(bar->items[0].popup, lib_state().run_menu);
    const Menu *run = window_system().menu(lib_state().run_menu);
    ASSERT_EQ(run->items.size(), 16u);
    EXPECT_EQ(run_item(1).text, "&Animate\tCtrl+A");
    EXPECT_EQ(run_item(3).text, "Advance one &frame\tCtrl+F");
    EXPECT_EQ(run_item(5).id, 4);
    EXPECT_EQ(run_item(9).text, "Play &One Script\tCtrl+O");
    EXPECT_EQ(run_item(11).id, 8);
    for (int position : {4, 6, 10, 12}) EXPECT_TRUE(run_item(position).separator);
    EXPECT_EQ(run_item(13).text, "KELTO v2.2 July 1997");
    for (int position = 13; position <= 16; ++position) {
        EXPECT_TRUE(run_item(position).greyed);
        EXPECT_EQ(run_item(position).id, 9);
    }
    for (int position = 1; position <= 11; ++position)
        EXPECT_FALSE(run_item(position).greyed) << position;
}

TEST_F(GraphicsWindowTest, StartUpStateAndCheckMarks) {
    const LibState &state = lib_state();
    EXPECT_EQ(state.logging, 1);
    EXPECT_EQ(state.animating, 0);
    EXPECT_EQ(state.one_frame, 0);
    EXPECT_EQ(state.recording, 0);
    EXPECT_EQ(state.playing, 0);
    EXPECT_TRUE(run_item(5).checked);
    for (int position : {1, 2, 3, 7, 8, 9, 11}) EXPECT_FALSE(run_item(position).checked);
    EXPECT_EQ(KELTO_logging(0), 1);
    EXPECT_FALSE(run_item(5).checked);
    EXPECT_EQ(state.logging, 0);
}

TEST_F(GraphicsWindowTest, TheOriginIsTheCentreOfTheClientArea) {
    EXPECT_EQ(window_system().client_rect(graphics), (Rect{0, 0, 595, 490}));
    EXPECT_EQ(lib_state().origin_x, 297);
    EXPECT_EQ(lib_state().origin_y, 245);
    window_system().send_message(graphics, WM_SIZE, 0, make_lparam(1, 1));  // size is re-read
    EXPECT_EQ(lib_state().origin_x, 297);
}

TEST_F(GraphicsWindowTest, CtrlLettersIgnoreCaseAndShift) {
    ctrl('A', 1);
    settle();
    EXPECT_EQ(lib_state().animating, 1);
    ctrl('H', 8);
    settle();
    EXPECT_EQ(lib_state().animating, 0);
    display->key_down(graphics, VK_CONTROL);
    display->key_down(graphics, VK_SHIFT);
    display->key_down(graphics, 'A', 1);
    display->key_up(graphics, VK_SHIFT);
    display->key_up(graphics, VK_CONTROL);
    settle();
    EXPECT_EQ(lib_state().animating, 1);
    // Only letter keys count: F2 shares its code with a lower-case 'q'.
    window_system().send_message(graphics, WM_KEYDOWN, VK_CONTROL, 0);
    window_system().send_message(graphics, WM_KEYDOWN, 0x71, 0);
    window_system().send_message(graphics, WM_KEYDOWN, 0x68, 0);
    EXPECT_EQ(lib_state().animating, 1);
    Message message;
    while (window_system().peek_message(message)) {
        EXPECT_NE(message.message, WM_QUIT);
        window_system().dispatch_message(message);
    }
}

TEST_F(GraphicsWindowTest, APlainLetterIsAKeyEventAndChangesNoState) {
    display->key(graphics, 'A', 'a');
    int x, y;
    char key;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_KBD);
    EXPECT_EQ(key, 97);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(lib_state().animating, 0);
}

TEST_F(GraphicsWindowTest, WhileCtrlIsHeldNoCharacterMakesAnEvent) {
    ctrl('B', 2);
    display->after(display->now_ms() + 500, [&] { display->key(graphics, 'C', 'c'); });
    int x, y;
    char key;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_KBD);
    EXPECT_EQ(key, 'c');  // Ctrl+B made no event
    EXPECT_EQ(lib_state().animating, 0);
    EXPECT_EQ(lib_state().logging, 1);
}

TEST_F(GraphicsWindowTest, AutoRepeatTogglesLoggingPerRepeat) {
    display->key_down(graphics, VK_CONTROL);
    for (int repeat = 0; repeat < 3; ++repeat) display->key_down(graphics, 'L', 12);
    display->key_up(graphics, 'L');
    display->key_up(graphics, VK_CONTROL);
    settle();
    EXPECT_EQ(lib_state().logging, 0);  // three toggles
    EXPECT_FALSE(run_item(5).checked);
    EXPECT_FALSE(window_system().is_visible(lib_state().text_window) &&
                 lib_state().logging);  // the menu toggle does not show the text window
}

TEST_F(GraphicsWindowTest, MenuCommandsMatchTheirKeys) {
    display->menu_command(graphics, 1);
    settle();
    EXPECT_EQ(lib_state().animating, 1);
    display->menu_command(graphics, 3);
    settle();
    EXPECT_EQ(lib_state().animating, 0);
    display->menu_command(graphics, 7);
    display->menu_command(graphics, 42);  // unknown identifiers are ignored
    settle();
    EXPECT_EQ(lib_state().one_frame, 0);
    EXPECT_EQ(lib_state().animating, 0);
    display->menu_command(graphics, 5);
    settle();
    EXPECT_EQ(lib_state().recording, 1);
    EXPECT_TRUE(run_item(7).checked);
    display->menu_command(graphics, 5);
    settle();
    EXPECT_EQ(lib_state().recording, 0);
    EXPECT_FALSE(run_item(7).checked);
}

TEST_F(GraphicsWindowTest, CtrlReleasedElsewhereIsForgotten) {
    display->key_down(graphics, VK_CONTROL);
    settle();
    EXPECT_EQ(lib_state().ctrl_down, 1);
    display->focus(lib_state().text_window);  // still a library window
    EXPECT_EQ(lib_state().ctrl_down, 1);
    display->focus(0);  // another program takes the focus; Ctrl is released there
    EXPECT_EQ(lib_state().ctrl_down, 0);
    display->focus(graphics);
    display->key(graphics, 'A', 'a');
    int x, y;
    char key;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_KBD);
    EXPECT_EQ(key, 'a');
}

TEST_F(GraphicsWindowTest, LoggingAndTextWindowSwitches) {
    const WindowHandle text = lib_state().text_window;
    EXPECT_EQ(KELTO_show_text(0), 1);
    EXPECT_EQ(KELTO_show_text(0), 0);
    EXPECT_FALSE(window_system().is_visible(text));
    EXPECT_EQ(KELTO_logging(5), 1);
    EXPECT_EQ(lib_state().logging, 1);
    EXPECT_TRUE(window_system().is_visible(text));
    EXPECT_TRUE(run_item(5).checked);
    EXPECT_EQ(KELTO_logging(0), 1);
    EXPECT_TRUE(window_system().is_visible(text));  // switching off does not hide it
    EXPECT_EQ(KELTO_show_text(1), 1);
    EXPECT_EQ(window_system().focus(), text);
}

TEST(StartUpTest, NotOpenYet) {
    use_headless_display();
    int x = 1, y = 1;
    char key = 1;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);  // nothing could ever come
    EXPECT_EQ(x, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(KELTO_logging(1), 0);
    EXPECT_EQ(KELTO_run_control(RUN_ANIMATE), 0);
    EXPECT_EQ(lib_state().animating, 0);
    EXPECT_EQ(KELTO_close(), 1);  // no script was ever opened
}

struct ScreenCase {
    int width, height;
    Rect text_window;
};

class TextWindowGeometryTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(TextWindowGeometryTest, FollowsTheScreen) {
    const ScreenCase screen = GetParam();
    use_headless_display().set_screen_size(screen.width, screen.height);
    KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_EQ(window_system().find(lib_state().text_window)->outer, screen.text_window);
    EXPECT_EQ(window_system().find(lib_state().graphics_window)->outer, (Rect{0, 0, 601, 540}));
    EXPECT_EQ(window_system().find(lib_state().text_window)->title, "KELTO Text");
    EXPECT_EQ(window_system().find(lib_state().graphics_window)->title, "KELTO Graphics");
}

INSTANTIATE_TEST_SUITE_P(Screens, TextWindowGeometryTest,
                         ::testing::Values(ScreenCase{1024, 768, {0, 513, 1024, 769}},
                                           ScreenCase{800, 600, {0, 401, 800, 601}},
                                           ScreenCase{1920, 1080, {0, 721, 1920, 1081}}));

TEST(StartUpTest, APreviousInstanceSkipsClassRegistration) {
    use_headless_display();
    KELTO_open(&instance_token, &instance_token, nullptr, SW_SHOWNORMAL);
    EXPECT_FALSE(window_system().class_registered("DrawWndClass"));
    EXPECT_FALSE(window_system().class_registered("TextWndClass"));
    EXPECT_NE(lib_state().surface, nullptr);  // everything else proceeds
    EXPECT_EQ(KELTO_close(), 1);
}

TEST(StartUpTest, ShowingActivatesTheGraphicsWindowLast) {
    use_headless_display();
    EXPECT_EQ(KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL), 1);
    EXPECT_TRUE(window_system().is_visible(lib_state().text_window));
    EXPECT_EQ(window_system().focus(), lib_state().graphics_window);
    EXPECT_EQ(lib_state().instance, &instance_token);
    EXPECT_TRUE(window_system().next_timer_deadline().has_value());
}

}  // namespace
