// The window system over the headless display: queue order, translation,
// timers under the virtual clock, painting, focus, menus and decorations.
#include "platform/window_system.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/headless/headless_display.h"
#include "support/logging_window.h"

using namespace kelto::platform;
using kelto::Rect;
using kelto::test::logging_procedure;
using kelto::test::window_log;

namespace {

class WindowSystemTest : public kelto::test::HeadlessWindowsTest {
protected:
    void SetUp() override {
        HeadlessWindowsTest::SetUp();
        windows->register_class(
            WindowClass{"Test", logging_procedure, CS_HREDRAW | CS_VREDRAW, 0xFFFFFF});
    }

    WindowHandle make_window(uint32_t style = WS_CAPTION | WS_SYSMENU) {
        return windows->create_window("Test", "test", style, 0, 0, 601, 540);
    }

    // Pumps every ready message through translate and dispatch.
    std::vector<unsigned> pump() {
        std::vector<unsigned> taken;
        Message message;
        while (windows->peek_message(message)) {
            taken.push_back(message.message);
            windows->translate_message(message);
            windows->dispatch_message(message);
        }
        return taken;
    }
};

TEST_F(WindowSystemTest, CreationSendsCreateThenSizeWithTheClientArea) {
    const WindowHandle window = make_window();
    ASSERT_NE(window, 0);
    ASSERT_GE(window_log().seen.size(), 2u);
    EXPECT_EQ(window_log().seen[0].message, WM_CREATE);
    EXPECT_EQ(window_log().seen[1].message, WM_SIZE);
    EXPECT_EQ(low_word(window_log().seen[1].lparam), 595u);
    EXPECT_EQ(high_word(window_log().seen[1].lparam), 511u);  // no menu yet: caption and frame only
    EXPECT_EQ(windows->create_window("Unknown", "x", 0, 0, 0, 10, 10), 0);
}

TEST_F(WindowSystemTest, AMenuBarTakesItsRowFromTheClientArea) {
    const WindowHandle window = make_window();
    const MenuHandle bar = windows->create_menu();
    const MenuHandle run = windows->create_popup_menu();
    ASSERT_TRUE(windows->append_menu(run, MF_STRING | MF_CHECKED, 4, "&Logging\tCtrl+L"));
    ASSERT_TRUE(windows->append_menu(run, MF_SEPARATOR, 0, ""));
    ASSERT_TRUE(windows->append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run), "&Run"));
    window_log().seen.clear();
    ASSERT_TRUE(windows->set_menu(window, bar));
    EXPECT_EQ(windows->client_rect(window), (Rect{0, 0, 595, 490}));
    ASSERT_EQ(window_log().seen.size(), 1u);
    EXPECT_EQ(window_log().seen[0].message, WM_SIZE);

    EXPECT_EQ(windows->check_menu_item(run, 4, false), MF_CHECKED);
    EXPECT_EQ(windows->check_menu_item(run, 4, false), MF_UNCHECKED);
    EXPECT_EQ(windows->check_menu_item(run, 99, true), -1);
    EXPECT_FALSE(windows->menu(run)->items[0].checked);
    EXPECT_TRUE(windows->menu(run)->items[1].separator);
}

TEST_F(WindowSystemTest, PostedMessagesComeInOrderBeforePaintAndTimers) {
    const WindowHandle window = make_window();
    windows->show_window(window, SW_SHOW);  // leaves a paint pending
    windows->set_timer(window, 2, 100);
    headless->advance(100);  // and a timer due
    windows->post_message(window, WM_COMMAND, 1, 0);
    windows->post_message(window, WM_COMMAND, 2, 0);
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.wparam, 1u);
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.wparam, 2u);
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_PAINT);
    windows->dispatch_message(message);
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_EQ(message.wparam, 2u);
    EXPECT_FALSE(windows->peek_message(message));
}

TEST_F(WindowSystemTest, QuitComesAfterPostedMessagesAndOnlyOnce) {
    const WindowHandle window = make_window();
    windows->post_quit(0);
    windows->post_message(window, WM_COMMAND, 7, 0);
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_COMMAND);
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.window, 0);
    EXPECT_FALSE(windows->peek_message(message));
}

TEST_F(WindowSystemTest, TranslateQueuesTheTypedCharacterNext) {
    const WindowHandle window = make_window();
    headless->key_down(window, 'A', 'a');
    headless->key_up(window, 'A');
    headless->key_down(window, VK_CONTROL);  // types nothing
    window_log().seen.clear();
    EXPECT_EQ(pump(), (std::vector<unsigned>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN}));
    EXPECT_EQ(window_log().seen[1].wparam, static_cast<uintptr_t>('a'));
}

TEST_F(WindowSystemTest, TimersFireOncePerPeriodUnderTheVirtualClock) {
    const WindowHandle window = make_window();
    windows->set_timer(window, 2, 100);
    Message message;
    EXPECT_FALSE(windows->peek_message(message));
    EXPECT_EQ(windows->next_timer_deadline(), 100);
    windows->wait_message();  // the clock jumps to the deadline instead of sleeping
    EXPECT_EQ(headless->now_ms(), 100);
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_FALSE(windows->peek_message(message));  // never two for one period
    headless->advance(350);
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_FALSE(windows->peek_message(message));  // late ticks coalesce into one
    windows->kill_timer(window, 2);
    EXPECT_FALSE(windows->next_timer_deadline().has_value());
}

TEST_F(WindowSystemTest, ScheduledInputArrivesBeforeALaterTimer) {
    const WindowHandle window = make_window();
    windows->set_timer(window, 2, 100);
    headless->after(40, [&] { headless->click(window, 5, 6); });
    windows->wait_message();
    EXPECT_EQ(headless->now_ms(), 40);
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_LBUTTONDOWN);
    EXPECT_EQ(low_word(message.lparam), 5u);
    EXPECT_EQ(high_word(message.lparam), 6u);
}

TEST_F(WindowSystemTest, WaitingForWhatCanNeverArriveStopsLoudly) {
    make_window();
    bool starved = false;
    headless->on_starved([&] {
        starved = true;
        windows->post_quit(0);
    });
    windows->wait_message();
    EXPECT_TRUE(starved);
}

TEST_F(WindowSystemTest, AWaitForInputThatTimerTicksCannotServeStopsLoudly) {
    const WindowHandle window = make_window();
    windows->set_timer(window, 2, 100);
    bool starved = false;
    headless->on_starved([&] {
        starved = true;
        windows->post_quit(0);
    });
    windows->wait_message(WaitFor::Input);
    EXPECT_TRUE(starved);
    EXPECT_EQ(headless->now_ms(), 0);  // no virtual time spent on ticks first
    starved = false;
    headless->after(250, [&] { headless->click(window, 1, 1); });
    windows->wait_message(WaitFor::Input);
    EXPECT_FALSE(starved);  // scheduled input is worth waiting for
}

TEST_F(WindowSystemTest, PaintOnlyForVisibleInvalidWindowsAndEraseWithTheBackground) {
    const WindowHandle window = make_window();
    Message message;
    windows->invalidate(window);
    EXPECT_FALSE(windows->peek_message(message));  // hidden windows get no paint
    windows->client_image(window)->at(3, 3) = 0x123456;
    windows->show_window(window, SW_SHOW);
    EXPECT_EQ(pump(), (std::vector<unsigned>{WM_PAINT}));
    EXPECT_EQ(windows->client_image(window)->at(3, 3), 0xFFFFFFu);
    EXPECT_FALSE(windows->peek_message(message));  // painting validated the window
}

TEST_F(WindowSystemTest, ShowReportsThePreviousVisibilityAndMovesFocus) {
    const WindowHandle first = make_window();
    const WindowHandle second = make_window();
    EXPECT_FALSE(windows->show_window(first, SW_SHOW));
    EXPECT_EQ(windows->focus(), first);
    window_log().seen.clear();
    EXPECT_FALSE(windows->show_window(second, SW_SHOW));
    EXPECT_EQ(windows->focus(), second);
    ASSERT_EQ(window_log().seen.size(), 2u);
    EXPECT_EQ(window_log().seen[0].message, WM_KILLFOCUS);
    EXPECT_EQ(window_log().seen[0].wparam, static_cast<uintptr_t>(second));
    EXPECT_EQ(window_log().seen[1].message, WM_SETFOCUS);
    EXPECT_TRUE(windows->show_window(second, SW_HIDE));
    EXPECT_FALSE(windows->show_window(second, SW_HIDE));
    EXPECT_FALSE(windows->is_visible(second));
    EXPECT_EQ(windows->focus(), first);  // hiding passes the focus on
    windows->show_window(second, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(windows->is_visible(second));
    EXPECT_EQ(windows->focus(), first);
}

TEST_F(WindowSystemTest, CloseDestroysTheWindowAndItsTimersAndQueuedMessages) {
    const WindowHandle window = make_window();
    windows->set_timer(window, 2, 100);
    headless->close_box(window);
    windows->post_message(window, WM_COMMAND, 1, 0);
    window_log().seen.clear();
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    windows->dispatch_message(message);
    EXPECT_FALSE(windows->is_window(window));
    ASSERT_FALSE(window_log().seen.empty());
    EXPECT_EQ(window_log().seen.back().message, WM_DESTROY);
    EXPECT_FALSE(windows->peek_message(message));
    EXPECT_FALSE(windows->next_timer_deadline().has_value());
    EXPECT_FALSE(windows->post_message(window, WM_COMMAND, 1, 0));
    EXPECT_EQ(windows->client_image(window), nullptr);
}

TEST_F(WindowSystemTest, ResizingASizingWindowReportsTheNewClientAndRepaints) {
    const WindowHandle window = make_window(WS_OVERLAPPEDWINDOW);
    windows->show_window(window, SW_SHOW);
    pump();
    window_log().seen.clear();
    headless->resize(window, 406, 229);
    ASSERT_FALSE(window_log().seen.empty());
    EXPECT_EQ(window_log().seen[0].message, WM_SIZE);
    EXPECT_EQ(windows->client_rect(window), (Rect{0, 0, 400, 200}));
    EXPECT_EQ(windows->client_image(window)->width, 400);
    EXPECT_EQ(pump(), (std::vector<unsigned>{WM_PAINT}));
}

TEST(ImageTest, CopyAreaAndScrollClipToTheImage) {
    kelto::Image dst(4, 3, 0);
    kelto::Image src(3, 3, 7);
    kelto::copy_area(dst, src, 2, -1, 9, 2);  // column 2 of rows 0 and 1 lie in both
    EXPECT_EQ(dst.at(2, 0), 7u);
    EXPECT_EQ(dst.at(2, 1), 7u);
    EXPECT_EQ(dst.at(2, 2), 0u);
    EXPECT_EQ(dst.at(3, 1), 0u);
    EXPECT_EQ(dst.at(1, 0), 0u);
    kelto::copy_area(dst, src, int64_t{1} << 40, 0, (int64_t{1} << 40) + 3,
                     3);                     // far away: nothing
    kelto::copy_area(dst, src, 1, 2, 0, 3);  // right of left: nothing
    EXPECT_EQ(dst.at(0, 2), 0u);
    dst.at(0, 2) = 9;
    kelto::scroll_up(dst, 2);
    EXPECT_EQ(dst.at(0, 0), 9u);
    kelto::scroll_up(dst, 100);  // more than the height: nothing moves, nothing breaks
    kelto::fill_rect(dst, -5, -5, 1, 1, 4);
    EXPECT_EQ(dst.at(0, 0), 4u);
    dst.at(1, 0) = 3;
    kelto::fill_rect(dst, 3, 0, 1, 2, 5);  // right of left: empty
    EXPECT_EQ(dst.at(1, 0), 3u);
}

}  // namespace
