// The library's windows on the Qt display stand where the screen size puts
// them, at their outer sizes. (What a user does in them is checked for every
// display by qt_library_behaviour_test.)
#include <gtest/gtest.h>

#include <QtTest/QTest>

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

TEST(QtLibraryTest, WindowsStandWhereTheScreenSizeSays) {
    KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
    auto &display = dynamic_cast<QtDisplay &>(window_system().display());
    TopWindow *graphics = display.top_window(events::state().graphics_window);
    TopWindow *text = display.top_window(console::state().text_window);
    ASSERT_NE(graphics, nullptr);
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(graphics));
    EXPECT_EQ(graphics->frameGeometry(), QRect(0, 0, 601, 540));
    const int width = window_system().screen_width();
    const int height = window_system().screen_height();
    EXPECT_EQ(text->frameGeometry(), QRect(0, 2 * height / 3 + 1, width, height / 3));
    EXPECT_EQ(text->windowTitle(), QStringLiteral("KELTO Text"));
}

}  // namespace
