// The window system's input interface, reported to directly as a display
// reports: each action becomes its message, packed the same way for every
// display; presses that mean nothing and windows that take no input get
// nothing; what the desktop did applies at once.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_display.h"
#include "platform/window_system.h"
#include "support/logging_window.h"

using namespace kelto::platform;
using kelto::Rect;
using kelto::test::logging_procedure;
using kelto::test::window_log;

namespace {

class InputTest : public kelto::test::HeadlessWindowsTest {
protected:
    void SetUp() override {
        HeadlessWindowsTest::SetUp();
        windows->register_class(
            WindowClass{"Test", logging_procedure, CS_HREDRAW | CS_VREDRAW, 0xFFFFFF});
        window = windows->create_window("Test", "test", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 10,
                                        20, 601, 540);
        windows->show_window(window, SW_SHOW);
        queued();
    }

    // Takes every message queued (and the paints and ticks due) without dispatching.
    std::vector<Message> queued() {
        std::vector<Message> taken;
        Message message;
        while (windows->peek_message(message))
            if (message.message != WM_PAINT && message.message != WM_TIMER)
                taken.push_back(message);
            else
                windows->dispatch_message(message);
        return taken;
    }

    WindowHandle window = 0;
};

TEST_F(InputTest, EachActionBecomesItsMessage) {
    windows->report(Click{window, 300, -2});
    windows->report(KeyDown{window, 'R', 'r', 3});
    windows->report(KeyDown{window, 0, 0xE9});  // a character without a key of its own
    windows->report(KeyUp{window, 'R'});
    windows->report(MenuCommand{window, 7});
    windows->report(CloseRequest{window});
    const std::vector<Message> messages = queued();
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(messages[0].wparam, MK_LBUTTON);
    EXPECT_EQ(messages[0].lparam, make_lparam(300, -2));
    EXPECT_EQ(static_cast<int16_t>(high_word(messages[0].lparam)), -2);
    EXPECT_EQ(messages[1].message, WM_KEYDOWN);
    EXPECT_EQ(messages[1].wparam, uintptr_t{'R'});
    EXPECT_EQ(messages[1].lparam, key_lparam('r', 3));
    EXPECT_EQ(messages[2].wparam, 0u);
    EXPECT_EQ(messages[2].lparam, key_lparam(0xE9));
    EXPECT_EQ(messages[3].message, WM_KEYUP);
    EXPECT_EQ(messages[3].lparam, key_lparam(0));
    EXPECT_EQ(messages[4].message, WM_COMMAND);
    EXPECT_EQ(messages[4].wparam, 7u);
    EXPECT_EQ(messages[5].message, WM_CLOSE);
    for (const Message &message : messages) EXPECT_EQ(message.window, window);
}

TEST_F(InputTest, ARepeatCountOfNoneIsOnePressAndIdentifiersKeepTheirLowWord) {
    windows->report(KeyDown{window, 'A', 'a', 0});
    windows->report(MenuCommand{window, 0x10007});
    windows->report(KeyDown{window, 0x10041, 0});
    const std::vector<Message> messages = queued();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].lparam, key_lparam('a', 1));
    EXPECT_EQ(messages[1].wparam, 7u);
    EXPECT_EQ(messages[2].wparam, 0x41u);
}

TEST_F(InputTest, PressesThatMeanNothingAndInputForNoWindowAreDropped) {
    windows->report(KeyDown{window, 0, 0});
    windows->report(KeyUp{window, 0});
    for (const WindowHandle nowhere : {0, window + 100}) {
        windows->report(Click{nowhere, 1, 1});
        windows->report(KeyDown{nowhere, 'A', 'a'});
        windows->report(MenuCommand{nowhere, 1});
        windows->report(CloseRequest{nowhere});
    }
    // Dialog input for a window that runs no dialog.
    windows->report(DialogButton{window, 1});
    windows->report(DialogCancel{window});
    windows->report(DialogClose{window});
    EXPECT_TRUE(queued().empty());
}

TEST_F(InputTest, MovesFocusAndLostWindowsApplyAtOnce) {
    window_log().seen.clear();
    windows->report(WindowMoved{window, Rect{50, 60, 50 + 401, 60 + 300}});
    EXPECT_EQ(windows->find(window)->outer, (Rect{50, 60, 451, 360}));
    EXPECT_EQ(windows->client_rect(window), (Rect{0, 0, 395, 271}));
    ASSERT_FALSE(window_log().seen.empty());
    EXPECT_EQ(window_log().seen.back().message, WM_SIZE);

    windows->report(FocusChanged{0});
    EXPECT_EQ(windows->focus(), 0);
    windows->report(FocusChanged{window});
    EXPECT_EQ(windows->focus(), window);
    windows->report(FocusChanged{window + 100});
    EXPECT_EQ(windows->focus(), window) << "no such window";

    // A lost window is closed as by its close box, which its procedure decides.
    windows->report(WindowLost{window});
    const std::vector<Message> messages = queued();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_CLOSE);
}

}  // namespace
