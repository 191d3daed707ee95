// The Qt display under the window system: window geometry and styles, the
// menu bar, mouse and keys turned into messages, the close box, focus,
// pixels and the wait.
#include "platform/qt/qt_display.h"

#include <gtest/gtest.h>

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <memory>
#include <vector>

#include "platform/qt/client_view.h"
#include "platform/qt/key_map.h"
#include "platform/qt/top_window.h"
#include "platform/window_system.h"
#include "support/logging_window.h"

using namespace kelto::platform;
using kelto::Rect;
using kelto::test::logging_procedure;
using kelto::test::window_log;

namespace {

constexpr uint32_t kFixedStyle = WS_CAPTION | WS_SYSMENU;
constexpr uint32_t kWhite = 0xFFFFFF;

class QtDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<QtDisplay>();
        display = owned.get();
        windows = std::make_unique<WindowSystem>(std::move(owned));
        window_log().windows = windows.get();
        window_log().seen.clear();
        windows->register_class(
            WindowClass{"Test", logging_procedure, CS_HREDRAW | CS_VREDRAW, kWhite});
    }

    void TearDown() override { window_log().windows = nullptr; }

    // A shown window; with a menu bar holding a "&Run" drop-down.
    WindowHandle open(uint32_t style, int x, int y, int width, int height, bool with_menu) {
        const WindowHandle window =
            windows->create_window("Test", "KELTO Graphics", style, x, y, width, height);
        if (with_menu) {
            const MenuHandle bar = windows->create_menu();
            run_menu = windows->create_popup_menu();
            windows->append_menu(run_menu, MF_STRING, 1, "&Animate\tCtrl+A");
            windows->append_menu(run_menu, MF_SEPARATOR, 0, "");
            windows->append_menu(run_menu, MF_STRING | MF_CHECKED, 4, "&Logging\tCtrl+L");
            windows->append_menu(run_menu, MF_STRING | MF_GRAYED, 9, "KELTO v2.2 July 1997");
            windows->append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run_menu), "&Run");
            windows->set_menu(window, bar);
        }
        windows->show_window(window, SW_SHOW);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(top(window)));
        QCoreApplication::processEvents();
        return window;
    }

    WindowHandle open_graphics() { return open(kFixedStyle, 0, 0, 601, 540, true); }

    TopWindow *top(WindowHandle window) { return display->top_window(window); }

    // Takes, translates and dispatches every queued message; returns the
    // posted ones of `kind` (all kinds for 0).
    std::vector<Message> take(unsigned kind = 0) {
        std::vector<Message> taken;
        Message message;
        while (windows->peek_message(message)) {
            windows->translate_message(message);
            windows->dispatch_message(message);
            if (message.message != WM_PAINT && (kind == 0 || message.message == kind))
                taken.push_back(message);
        }
        return taken;
    }

    QList<QAction *> run_actions(WindowHandle window) {
        const QList<QAction *> bar = top(window)->menuBar()->actions();
        if (bar.size() != 1 || !bar[0]->menu()) return {};
        return bar[0]->menu()->actions();
    }

    QtDisplay *display = nullptr;
    std::unique_ptr<WindowSystem> windows;
    MenuHandle run_menu = 0;
};

// ---------------------------------------------------------------- Geometry

TEST_F(QtDisplayTest, FixedWindowHasTheOuterSizeAskedForAndTheRealClientArea) {
    const WindowHandle window = open_graphics();
    TopWindow *shown = top(window);
    EXPECT_EQ(shown->frameGeometry(), QRect(0, 0, 601, 540));
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("KELTO Graphics"));
    EXPECT_EQ(shown->minimumSize(), shown->maximumSize());
    EXPECT_TRUE(shown->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(shown->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QSize client = shown->client().size();
    const Rect rect = windows->client_rect(window);
    EXPECT_EQ(QSize(rect.width(), rect.height()), client);
    EXPECT_LT(client.height(), 540);
    // The last size notification carries the real client area.
    take();
    Message last_size;
    for (const Message &message : window_log().seen)
        if (message.message == WM_SIZE) last_size = message;
    EXPECT_EQ(last_size.lparam, make_lparam(client.width(), client.height()));
}

TEST_F(QtDisplayTest, SizingWindowFollowsTheUser) {
    const WindowHandle window = open(WS_OVERLAPPEDWINDOW, 0, 401, 800, 200, false);
    TopWindow *shown = top(window);
    EXPECT_NE(shown->minimumSize(), shown->maximumSize());
    EXPECT_EQ(windows->client_rect(window).width(), shown->client().width());
    take();
    window_log().seen.clear();
    shown->resize(shown->width() - 100, shown->height() + 50);
    QCoreApplication::processEvents();
    const QSize client = shown->client().size();
    const Rect rect = windows->client_rect(window);
    EXPECT_EQ(QSize(rect.width(), rect.height()), client);
    EXPECT_EQ(windows->find(window)->image.width, client.width());
    ASSERT_FALSE(window_log().seen.empty());
    EXPECT_EQ(window_log().seen.back().message, WM_SIZE);
    EXPECT_EQ(window_log().seen.back().lparam, make_lparam(client.width(), client.height()));
    // The new area is repainted.
    Message next;
    ASSERT_TRUE(windows->peek_message(next));
    EXPECT_EQ(next.message, WM_PAINT);
}

// ---------------------------------------------------------------- Menu bar

TEST_F(QtDisplayTest, MenuBarShowsTheModel) {
    const WindowHandle window = open_graphics();
    const QList<QAction *> bar = top(window)->menuBar()->actions();
    ASSERT_EQ(bar.size(), 1);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("&Run"));
    const QList<QAction *> items = run_actions(window);
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Animate\tCtrl+A"));
    // The key hint is text only: no shortcut takes the Ctrl key from the library.
    EXPECT_TRUE(items[0]->shortcut().isEmpty());
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[2]->isChecked());
    EXPECT_TRUE(items[2]->isEnabled());
    EXPECT_FALSE(items[3]->isEnabled());
}

TEST_F(QtDisplayTest, CheckMarksFollowTheModelOnly) {
    const WindowHandle window = open_graphics();
    QAction *logging = run_actions(window).value(2);
    ASSERT_NE(logging, nullptr);
    windows->check_menu_item(run_menu, 4, false);
    EXPECT_FALSE(logging->isChecked());
    windows->check_menu_item(run_menu, 4, true);
    EXPECT_TRUE(logging->isChecked());
    // Choosing the item posts the command; the check mark waits for the model.
    logging->trigger();
    EXPECT_TRUE(logging->isChecked());
    QAction *animate = run_actions(window).value(0);
    animate->trigger();
    EXPECT_FALSE(animate->isChecked());
    const std::vector<Message> commands = take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].window, window);
    EXPECT_EQ(commands[0].wparam, 4u);
    EXPECT_EQ(commands[1].wparam, 1u);
}

// ---------------------------------------------------------------- Mouse

TEST_F(QtDisplayTest, OnlyLeftPressesBecomeMessages) {
    const WindowHandle window = open_graphics();
    ClientView &client = top(window)->client();
    QTest::mouseClick(&client, Qt::LeftButton, {}, QPoint(17, 230));
    QTest::mouseClick(&client, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseMove(&client, QPoint(40, 40));
    // A double click as the X11 platform delivers it: the second press
    // arrives as a double-click event.
    QTest::mouseClick(&client, Qt::LeftButton, {}, QPoint(3, 4));
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(3, 4),
                       client.mapToGlobal(QPointF(3, 4)), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&client, &second);
    QTest::mouseRelease(&client, Qt::LeftButton, {}, QPoint(3, 4));
    const std::vector<Message> presses = take(WM_LBUTTONDOWN);
    ASSERT_EQ(presses.size(), 3u);
    EXPECT_EQ(presses[0].lparam, make_lparam(17, 230));
    // A double click is two presses.
    EXPECT_EQ(presses[1].lparam, make_lparam(3, 4));
    EXPECT_EQ(presses[2].lparam, make_lparam(3, 4));
    EXPECT_EQ(take().size(), 0u);
}

// ---------------------------------------------------------------- Keys

TEST_F(QtDisplayTest, KeysBecomeKeyDownKeyUpAndCharacters) {
    const WindowHandle window = open_graphics();
    TopWindow *shown = top(window);
    QTest::keyClick(shown, Qt::Key_A);
    const std::vector<Message> typed = take();
    ASSERT_EQ(typed.size(), 3u);
    EXPECT_EQ(typed[0].message, WM_KEYDOWN);
    EXPECT_EQ(typed[0].wparam, static_cast<uintptr_t>('A'));
    EXPECT_EQ(high_word(typed[0].lparam), 97u);
    EXPECT_EQ(typed[1].message, WM_CHAR);
    EXPECT_EQ(typed[1].wparam, 97u);
    EXPECT_EQ(typed[2].message, WM_KEYUP);
    EXPECT_EQ(typed[2].wparam, static_cast<uintptr_t>('A'));

    // The modifier comes as a key of its own, pressed first and released last.
    QTest::keyClick(shown, Qt::Key_L, Qt::ControlModifier);
    const std::vector<Message> keys = take();
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wparam, VK_CONTROL);
    EXPECT_EQ(keys[1].message, WM_KEYDOWN);
    EXPECT_EQ(keys[1].wparam, static_cast<uintptr_t>('L'));
    EXPECT_EQ(keys[2].message, WM_CHAR);
    EXPECT_EQ(keys[3].message, WM_KEYUP);
    EXPECT_EQ(keys[4].message, WM_KEYUP);
    EXPECT_EQ(keys[4].wparam, VK_CONTROL);
}

TEST_F(QtDisplayTest, AutoRepeatCountsPressesOnly) {
    const WindowHandle window = open_graphics();
    TopWindow *shown = top(window);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, QStringLiteral("l"), true);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_L, Qt::NoModifier, QStringLiteral("l"), true);
    QApplication::sendEvent(shown, &press);
    QApplication::sendEvent(shown, &release);
    QApplication::sendEvent(shown, &press);
    EXPECT_EQ(take(WM_KEYDOWN).size(), 2u);
    EXPECT_EQ(take(WM_KEYUP).size(), 0u);
}

TEST_F(QtDisplayTest, AltCombinationsStayWithTheMenu) {
    const WindowHandle window = open_graphics();
    QTest::keyClick(top(window), Qt::Key_R, Qt::AltModifier);
    for (const Message &message : take())
        EXPECT_TRUE(message.message != WM_KEYDOWN && message.message != WM_CHAR);
}

TEST(KeyMapTest, VirtualKeysAndCharacters) {
    EXPECT_EQ(virtual_key(Qt::Key_Q), static_cast<unsigned>('Q'));
    EXPECT_EQ(virtual_key(Qt::Key_7), static_cast<unsigned>('7'));
    EXPECT_EQ(virtual_key(Qt::Key_Control), VK_CONTROL);
    EXPECT_EQ(virtual_key(Qt::Key_Shift), VK_SHIFT);
    EXPECT_EQ(virtual_key(Qt::Key_Enter), VK_RETURN);
    EXPECT_EQ(virtual_key(Qt::Key_Escape), VK_ESCAPE);
    EXPECT_EQ(virtual_key(Qt::Key_Backspace), VK_BACK);
    EXPECT_EQ(virtual_key(Qt::Key_Backtab), VK_TAB);
    EXPECT_EQ(virtual_key(Qt::Key_F4), VK_F4);
    EXPECT_EQ(virtual_key(Qt::Key_Meta), 0u);

    const auto typed = [](const QString &text) {
        return typed_character(QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, {}, text));
    };
    EXPECT_EQ(typed(QStringLiteral("a")), 97u);
    EXPECT_EQ(typed(QStringLiteral("\r")), 13u);
    EXPECT_EQ(typed(QString(QChar(0x01))), 1u);
    EXPECT_EQ(typed(QString(QChar(0xE9))), 0xE9u);
    EXPECT_EQ(typed(QString(QChar(0x20AC))), 0u);
    EXPECT_EQ(typed(QString(QChar(0x85))), 0u);
    EXPECT_EQ(typed(QStringLiteral("ab")), 0u);
    EXPECT_EQ(typed(QString()), 0u);
}

// ---------------------------------------------------------------- Close box and focus

TEST_F(QtDisplayTest, CloseBoxPostsCloseAndTheWindowSystemDestroys) {
    const WindowHandle window = open_graphics();
    QPointer<TopWindow> shown = top(window);
    EXPECT_FALSE(shown->close());
    EXPECT_TRUE(shown->isVisible());
    const std::vector<Message> closes = take(WM_CLOSE);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_FALSE(windows->is_window(window));
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(window_log().seen.back().message, WM_DESTROY);
}

TEST_F(QtDisplayTest, FocusFollowsTheActiveWindow) {
    const WindowHandle first = open_graphics();
    const WindowHandle second = open(WS_OVERLAPPEDWINDOW, 0, 401, 800, 200, false);
    QWindow *first_window = top(first)->windowHandle();
    first_window->requestActivate();
    EXPECT_TRUE(QTest::qWaitForWindowActive(first_window));
    EXPECT_EQ(windows->focus(), first);
    QWindow *second_window = top(second)->windowHandle();
    second_window->requestActivate();
    EXPECT_TRUE(QTest::qWaitForWindowActive(second_window));
    EXPECT_EQ(windows->focus(), second);
    windows->show_window(second, SW_HIDE);
    QWindow *other = new QWindow;
    other->show();
    other->requestActivate();
    EXPECT_TRUE(QTest::qWaitForWindowActive(other));
    EXPECT_EQ(windows->focus(), 0);
    delete other;
}

// ---------------------------------------------------------------- Pixels and waiting

TEST_F(QtDisplayTest, ClientShowsTheRetainedImagePixelForPixel) {
    const WindowHandle window = open_graphics();
    kelto::Image &image = *windows->client_image(window);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.at(x, y) =
                static_cast<uint32_t>((x * 7) << 16 | (y * 3) << 8 | (x ^ y)) & 0xFFFFFF;
    windows->client_changed(window);
    const QImage shown = top(window)->client().grab().toImage();
    ASSERT_EQ(shown.size(), QSize(image.width, image.height));
    int wrong = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            wrong += (shown.pixel(x, y) & 0xFFFFFF) != image.at(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST_F(QtDisplayTest, WaitEndsAtTheDeadline) {
    open_graphics();
    take();
    const int64_t deadline = display->now_ms() + 30;
    display->wait(deadline, WaitFor::AnyMessage);
    EXPECT_GE(display->now_ms(), deadline);
}

TEST_F(QtDisplayTest, WaitEndsWhenInputArrives) {
    const WindowHandle window = open_graphics();
    take();
    QTimer::singleShot(0, &top(window)->client(), [&] {
        QTest::mouseClick(&top(window)->client(), Qt::LeftButton, {}, QPoint(1, 2));
    });
    display->wait(std::nullopt, WaitFor::Input);
    EXPECT_EQ(take(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(QtDisplayTest, LookingForAMessageTakesInputWithoutAWait) {
    const WindowHandle window = open_graphics();
    take();
    ClientView &client = top(window)->client();
    // Queued with Qt, as the platform delivers input, and not yet handled.
    QCoreApplication::postEvent(&client, new QMouseEvent(QEvent::MouseButtonPress, QPointF(8, 9),
                                                         client.mapToGlobal(QPointF(8, 9)),
                                                         Qt::LeftButton, Qt::LeftButton, {}));
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_LBUTTONDOWN);
    EXPECT_EQ(message.lparam, make_lparam(8, 9));
}

}  // namespace
