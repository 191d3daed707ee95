// The library's behaviour on the Qt display, driven through real widgets
// with QtTest on Qt's offscreen platform.
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <functional>

#include "console/console.h"
#include "platform/qt/client_view.h"
#include "platform/qt/dialog_view.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/top_window.h"
#include "support/library_behaviour.h"

namespace kelto::test {
namespace {

using namespace platform;

int instance_token;

class QtDriver {
public:
    void open() {
        KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
        display_ = &dynamic_cast<QtDisplay &>(window_system().display());
        graphics_ = display_->top_window(events::state().graphics_window);
        text_ = display_->top_window(console::state().text_window);
        ASSERT_NE(graphics_, nullptr);
        ASSERT_NE(text_, nullptr);
        // The windows appear at the program's first wait (start-up paints are ready).
        window_system().wait_message();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(graphics_));
    }

    void click(int x, int y) {
        const QSize client = graphics_->client().size();
        QTest::mouseClick(&graphics_->client(), Qt::LeftButton, {},
                          QPoint(client.width() / 2 + x, client.height() / 2 - y));
    }

    void key(Target target, char letter) { QTest::keyClick(widget(target), letter); }

    void ctrl_key(Target target, char letter, bool shift) {
        const auto key = static_cast<Qt::Key>(Qt::Key_A + (letter - 'a'));
        QTest::keyClick(widget(target), key,
                        shift ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    }

    void menu(int command) {
        QAction *action = run_action(command);
        ASSERT_NE(action, nullptr);
        action->trigger();
    }

    void close_box() { graphics_->close(); }

    bool checked(int command) {
        const QAction *action = run_action(command);
        return action && action->isChecked();
    }
    int checked_count() {
        int count = 0;
        for (const QAction *action : run_actions()) count += action->isChecked();
        return count;
    }

    Image shown() {
        const QImage grabbed = graphics_->client().grab().toImage();
        Image image(grabbed.width(), grabbed.height());
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) image.at(x, y) = grabbed.pixel(x, y) & 0xFFFFFF;
        return image;
    }

    // The dialog is up once Qt's event loop runs inside its modal loop.
    void during_dialog(std::function<void()> action) {
        QTimer::singleShot(0, graphics_, std::move(action));
    }
    void type_into_dialog(const char *text) {
        QTest::keyClicks(dialog_focus(), QString::fromLatin1(text));
    }
    void enter_in_dialog() { QTest::keyClick(dialog_focus(), Qt::Key_Return); }

private:
    QWidget *widget(Target target) const { return target == Target::Graphics ? graphics_ : text_; }

    QList<QAction *> run_actions() const {
        const QList<QAction *> bar = graphics_->menuBar()->actions();
        if (bar.isEmpty() || !bar[0]->menu()) return {};
        return bar[0]->menu()->actions();
    }

    // The menu item of a command, found by the text the menu model gives it.
    QAction *run_action(int command) const {
        for (const MenuItem &item : window_system().menu(events::state().run_menu)->items) {
            if (item.separator || item.id != command) continue;
            for (QAction *action : run_actions())
                if (action->text() == QString::fromStdString(item.text)) return action;
        }
        return nullptr;
    }

    QWidget *dialog_focus() const {
        DialogView *dialog = display_->dialog_view(window_system().focus());
        return dialog ? dialog->focusWidget() : nullptr;
    }

    QtDisplay *display_ = nullptr;
    TopWindow *graphics_ = nullptr;
    TopWindow *text_ = nullptr;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, LibraryBehaviour, QtDriver);

}  // namespace kelto::test
