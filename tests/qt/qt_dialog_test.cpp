// The line input dialog on the Qt display: a real QDialog with the prompt,
// the edit field and the default button placed in dialog units, whose typing
// reaches the dialog procedure and which only the button ends.
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <functional>
#include <string>

#include "events/events.h"
#include "kelto.h"
#include "platform/qt/dialog_view.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/top_window.h"
#include "platform/system.h"
#include "platform/window_system.h"

using namespace kelto;
using namespace kelto::platform;

namespace {

int instance_token;

class QtDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
        display = &dynamic_cast<QtDisplay &>(platform::window_system().display());
        graphics = display->top_window(events::state().graphics_window);
        ASSERT_NE(graphics, nullptr);
        // The windows appear at the program's first wait (start-up paints are ready).
        platform::window_system().wait_message();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(graphics));
    }

    // Runs `work` inside the dialog's modal loop once the window system has
    // taken every message queued so far, with the running dialog's view. A
    // fatal failure in `work` ends the dialog, so the test cannot hang.
    void when_idle(std::function<void(DialogView &)> work) {
        QTimer::singleShot(0, graphics, [this, work] {
            if (platform::window_system().message_ready()) {
                when_idle(work);
                return;
            }
            DialogView *view = display->dialog_view(platform::window_system().focus());
            ASSERT_NE(view, nullptr);
            work(*view);
            if (HasFatalFailure()) platform::window_system().end_dialog(view->handle(), 0);
        });
    }

    // A dialog coordinate in pixels: units times base over 4 across, over 8 down.
    static int across(int units, int base) { return (units * base + 2) / 4; }
    static int down(int units, int base) { return (units * base + 4) / 8; }

    QtDisplay *display = nullptr;
    TopWindow *graphics = nullptr;
};

QPlainTextEdit *edit_of(DialogView &view) {
    return qobject_cast<QPlainTextEdit *>(view.item(102));
}

QPushButton *button_of(DialogView &view) {
    return qobject_cast<QPushButton *>(view.item(101));
}

TEST_F(QtDialogTest, ShowsPromptEditAndOkayInDialogUnits) {
    const std::string prompt(100, 'p');
    when_idle([&](DialogView &view) {
        EXPECT_EQ(view.windowTitle(), QStringLiteral("KELTO_gets"));
        EXPECT_TRUE(view.isVisible());
        EXPECT_EQ(view.windowModality(), Qt::WindowModal);
        EXPECT_EQ(view.parentWidget(), graphics);

        auto *label = qobject_cast<QLabel *>(view.item(103));
        QPlainTextEdit *edit = edit_of(view);
        QPushButton *button = button_of(view);
        ASSERT_NE(label, nullptr);
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(label->text(), QString(79, QLatin1Char('p')));
        EXPECT_TRUE(label->wordWrap());
        EXPECT_TRUE(label->alignment() & Qt::AlignLeft);
        EXPECT_EQ(button->text(), QStringLiteral("Okay"));
        EXPECT_TRUE(button->isDefault());
        EXPECT_EQ(QApplication::focusWidget(), edit);

        const DialogBaseUnits base = display->dialog_base_units();
        const QFontMetrics metrics(view.font());
        EXPECT_EQ(base.width, metrics.averageCharWidth());
        EXPECT_EQ(base.height, metrics.height());
        EXPECT_EQ(view.size(), QSize(across(185, base.width), down(92, base.height)));
        // Each edge is converted, as the platform maps a rectangle.
        auto place = [&](int x, int y, int width, int height) {
            const int left = across(x, base.width);
            const int top = down(y, base.height);
            return QRect(left, top, across(x + width, base.width) - left,
                         down(y + height, base.height) - top);
        };
        EXPECT_EQ(label->geometry(), place(8, 3, 167, 24));
        EXPECT_EQ(edit->geometry(), place(8, 30, 167, 37));
        EXPECT_EQ(button->geometry(), place(67, 74, 50, 14));
        button->click();
    });
    char line[256] = "unchanged";
    EXPECT_EQ(KELTO_gets(prompt.c_str(), line), 1);
    EXPECT_STREQ(line, "");
}

TEST_F(QtDialogTest, TypedTextWithEditsAndEnterReturnsTheLine) {
    when_idle([](DialogView &view) {
        QPlainTextEdit *edit = edit_of(view);
        ASSERT_NE(edit, nullptr);
        // Editing before the end must reach the window system too.
        QTest::keyClicks(edit, QStringLiteral("Helo wrld"));
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_O);
        for (int i = 0; i < 4; ++i) QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_L);
        QTest::keyClick(edit, Qt::Key_Return);
        // Enter pressed the button instead of breaking the line.
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("Hello world"));
    });
    char line[256] = "unchanged";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "Hello world");
    EXPECT_EQ(display->dialog_view(platform::window_system().focus()), nullptr);
}

TEST_F(QtDialogTest, ProgramChangesToTheFieldShowAndAreReturned) {
    when_idle([](DialogView &view) {
        platform::window_system().set_dialog_item_text(view.handle(), 102, u"preset");
        QPlainTextEdit *edit = edit_of(view);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("preset"));
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(edit, Qt::Key_S);
        QTest::keyClick(edit, Qt::Key_Enter);
    });
    char line[256] = "unchanged";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "presets");
}

TEST_F(QtDialogTest, EscapeAndTheCloseBoxLeaveItOpen) {
    WindowHandle dialog = 0;
    when_idle([&](DialogView &view) {
        dialog = view.handle();
        QTest::keyClicks(edit_of(view), QStringLiteral("kept"));
        QTest::keyClick(edit_of(view), Qt::Key_Escape);
        view.close();
        when_idle([&](DialogView &still) {
            EXPECT_EQ(still.handle(), dialog);
            EXPECT_TRUE(still.isVisible());
            // Tab moves to the button, where Enter presses it.
            QTest::keyClick(edit_of(still), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), button_of(still));
            QTest::keyClick(button_of(still), Qt::Key_Return);
        });
    });
    char line[256] = "unchanged";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "kept");
    EXPECT_FALSE(platform::window_system().is_window(dialog));
}

// A native window destroyed by another program: the dialog's ends it as
// cancelled and gives the graphics window its input back.
TEST_F(QtDialogTest, ADialogDestroyedFromOutsideEndsAsCancelledAndFreesItsOwner) {
    when_idle([this](DialogView &view) {
        QTest::keyClicks(edit_of(view), QStringLiteral("typed"));
        ASSERT_NE(view.internalWinId(), 0u);
        display->native_window_destroyed(view.internalWinId());
    });
    char line[256] = "kept";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "kept");
    const WindowHandle window = events::state().graphics_window;
    EXPECT_TRUE(platform::window_system().window_enabled(window));
    graphics->close();
    int x = 0, y = 0;
    char key = 0;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);
    EXPECT_FALSE(platform::window_system().is_window(window));
}

// The graphics window's ends the dialog and the program, as its close box
// would if the dialog let it.
TEST_F(QtDialogTest, TheGraphicsWindowDestroyedFromOutsideEndsTheDialogAndTheProgram) {
    const WindowHandle window = events::state().graphics_window;
    when_idle([this](DialogView &) {
        ASSERT_NE(graphics->internalWinId(), 0u);
        display->native_window_destroyed(graphics->internalWinId());
    });
    char line[256] = "kept";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "kept");
    EXPECT_FALSE(platform::window_system().is_window(window));
    int x = 0, y = 0;
    char key = 0;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);
}

}  // namespace
