// The library on the Qt display: what a user does in the real windows
// reaches the program through KELTO_await_event, and what the program draws
// and switches shows in the windows and the menu.
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/qt/client_view.h"
#include "platform/qt/dialog_view.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/top_window.h"
#include "platform/system.h"
#include "platform/window_system.h"

using namespace kelto;
using namespace kelto::platform;

namespace {

int instance_token;

class QtLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
        auto &display = dynamic_cast<QtDisplay &>(platform::window_system().display());
        graphics = display.top_window(events::state().graphics_window);
        text = display.top_window(console::state().text_window);
        ASSERT_NE(graphics, nullptr);
        ASSERT_NE(text, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(graphics));
    }

    struct Event {
        int kind;
        int x;
        int y;
        char key;
    };

    Event await() {
        Event event{};
        event.kind = KELTO_await_event(&event.x, &event.y, &event.key);
        return event;
    }

    // Client position of centred coordinates (x right, y up).
    QPoint at(int x, int y) {
        const QSize client = graphics->client().size();
        return QPoint(client.width() / 2 + x, client.height() / 2 - y);
    }

    // Lets everything the user did so far act, by waiting for a click behind it.
    void settle() {
        QTest::mouseClick(&graphics->client(), Qt::LeftButton, {}, at(0, 0));
        while (await().kind != KELTO_MOUSE) {
        }
    }

    QAction *run_item(const QString &text) {
        const QList<QAction *> bar = graphics->menuBar()->actions();
        if (bar.isEmpty() || !bar[0]->menu()) return nullptr;
        for (QAction *action : bar[0]->menu()->actions())
            if (action->text() == text) return action;
        return nullptr;
    }

    TopWindow *graphics = nullptr;
    TopWindow *text = nullptr;
};

TEST_F(QtLibraryTest, WindowsStandWhereTheScreenSizeSays) {
    EXPECT_EQ(graphics->frameGeometry(), QRect(0, 0, 601, 540));
    const int width = platform::window_system().screen_width();
    const int height = platform::window_system().screen_height();
    EXPECT_EQ(text->frameGeometry(), QRect(0, 2 * height / 3 + 1, width, height / 3));
    EXPECT_EQ(text->windowTitle(), QStringLiteral("KELTO Text"));
}

TEST_F(QtLibraryTest, ClicksGiveCentredCoordinates) {
    QTest::mouseClick(&graphics->client(), Qt::LeftButton, {}, at(0, 0));
    Event event = await();
    EXPECT_EQ(event.kind, KELTO_MOUSE);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
    QTest::mouseClick(&graphics->client(), Qt::LeftButton, {}, at(10, 20));
    event = await();
    EXPECT_EQ(event.kind, KELTO_MOUSE);
    EXPECT_EQ(event.x, 10);
    EXPECT_EQ(event.y, 20);
}

TEST_F(QtLibraryTest, CtrlAWithOrWithoutShiftAndTheMenuAnimate) {
    const Qt::KeyboardModifiers combos[] = {Qt::ControlModifier,
                                            Qt::ControlModifier | Qt::ShiftModifier};
    for (const Qt::KeyboardModifiers modifiers : combos) {
        KELTO_run_control(RUN_HALT);
        QTest::keyClick(graphics, Qt::Key_A, modifiers);
        settle();
        EXPECT_TRUE(events::state().animating);
    }
    KELTO_run_control(RUN_HALT);
    QAction *animate = run_item(QStringLiteral("&Animate\tCtrl+A"));
    ASSERT_NE(animate, nullptr);
    animate->trigger();
    settle();
    EXPECT_TRUE(events::state().animating);
}

TEST_F(QtLibraryTest, PlainLetterIsAKeyEvent) {
    QTest::keyClick(graphics, Qt::Key_A);
    const Event event = await();
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 97);
    EXPECT_FALSE(events::state().animating);
}

TEST_F(QtLibraryTest, KeysTypedIntoTheTextWindowReachTheGraphicsWindow) {
    QTest::keyClick(text, Qt::Key_B);
    const Event event = await();
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 98);
    KELTO_run_control(RUN_ANIMATE);
    QTest::keyClick(text, Qt::Key_H, Qt::ControlModifier);
    // The text window forwards by posting, behind the first settling click.
    settle();
    settle();
    EXPECT_FALSE(events::state().animating);
}

TEST_F(QtLibraryTest, MenuCheckMarksFollowLogging) {
    QAction *logging = run_item(QStringLiteral("&Logging\tCtrl+L"));
    ASSERT_NE(logging, nullptr);
    EXPECT_TRUE(logging->isChecked());
    KELTO_logging(0);
    EXPECT_FALSE(logging->isChecked());
    QTest::keyClick(graphics, Qt::Key_L, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(logging->isChecked());
    const QList<QAction *> items = graphics->menuBar()->actions()[0]->menu()->actions();
    int checked = 0;
    for (const QAction *item : items) checked += item->isChecked();
    EXPECT_EQ(checked, 1);
}

TEST_F(QtLibraryTest, ClientShowsTheSurfaceAfterAWait) {
    Image &surface = *events::state().surface;
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x)
            surface.at(x, y) = static_cast<uint32_t>(x * 0x010203 + y * 0x030100) & 0xFFFFFF;
    events::state().surface_changed = true;
    settle();
    const QImage shown = graphics->client().grab().toImage();
    ASSERT_LE(shown.width(), surface.width);
    ASSERT_LE(shown.height(), surface.height);
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            wrong += (shown.pixel(x, y) & 0xFFFFFF) != surface.at(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST_F(QtLibraryTest, LineInputTakesTheKeysAndTheOwnerNoInput) {
    auto &display = dynamic_cast<QtDisplay &>(platform::window_system().display());
    QTimer::singleShot(0, graphics, [&] {
        QTest::mouseClick(&graphics->client(), Qt::LeftButton, {}, at(0, 0));
        graphics->close();
        DialogView *dialog = display.dialog_view(platform::window_system().focus());
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->focusWidget(), QStringLiteral("Hi"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    char line[256] = "unchanged";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "Hi");
    // Neither the click nor the close box reached the graphics window.
    QTest::keyClick(graphics, Qt::Key_Z);
    const Event event = await();
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 'z');
}

TEST_F(QtLibraryTest, CloseBoxEndsTheProgram) {
    graphics->close();
    EXPECT_EQ(await().kind, KELTO_QUIT);
    EXPECT_FALSE(platform::window_system().is_window(events::state().graphics_window));
}

}  // namespace
