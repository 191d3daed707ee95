// The library's windows on the Qt display stand where the screen size puts
// them, at their outer sizes, and are closed when their native windows are
// destroyed from outside. (What a user does in them is checked for every
// display by qt_library_behaviour_test.)
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <algorithm>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/top_window.h"
#include "platform/system.h"
#include "platform/window_system.h"

using namespace kelto;
using namespace kelto::platform;

namespace {

int instance_token;

// Takes and handles every message that is ready. The windows the library
// opens appear when the program first looks for a message.
void pump() {
    Message message;
    while (window_system().peek_message(message)) {
        window_system().translate_message(message);
        window_system().dispatch_message(message);
    }
}

TEST(QtLibraryTest, WindowsStandWhereTheScreenSizeSays) {
    KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
    auto &display = dynamic_cast<QtDisplay &>(window_system().display());
    TopWindow *graphics = display.top_window(events::state().graphics_window);
    TopWindow *text = display.top_window(console::state().text_window);
    ASSERT_NE(graphics, nullptr);
    ASSERT_NE(text, nullptr);
    pump();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(graphics));
    EXPECT_EQ(graphics->frameGeometry(), QRect(0, 0, 601, 540));
    const int width = window_system().screen_width();
    const int height = window_system().screen_height();
    EXPECT_EQ(text->frameGeometry(), QRect(0, 2 * height / 3 + 1, width, height / 3));
    EXPECT_EQ(text->windowTitle(), QStringLiteral("KELTO Text"));
}

// A native window destroyed by another program is closed as by its close
// box: the text window's goes, the graphics window's ends the program.
TEST(QtLibraryTest, WindowsDestroyedFromOutsideAreClosed) {
    KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
    auto &display = dynamic_cast<QtDisplay &>(window_system().display());
    const WindowHandle graphics = events::state().graphics_window;
    const WindowHandle text = console::state().text_window;
    pump();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(display.top_window(graphics)));
    const WId graphics_id = display.top_window(graphics)->internalWinId();
    const WId text_id = display.top_window(text)->internalWinId();
    ASSERT_NE(graphics_id, 0u);
    ASSERT_NE(text_id, 0u);

    // A window the program does not show is no concern of it.
    display.native_window_destroyed(std::max(graphics_id, text_id) + 1);
    pump();
    EXPECT_TRUE(window_system().is_window(text));

    display.native_window_destroyed(text_id);
    pump();
    EXPECT_FALSE(window_system().is_window(text));
    EXPECT_TRUE(window_system().is_window(graphics));

    display.native_window_destroyed(graphics_id);
    int x = 0, y = 0;
    char key = 0;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);
    EXPECT_FALSE(window_system().is_window(graphics));
}

}  // namespace
