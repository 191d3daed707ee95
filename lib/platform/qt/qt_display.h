// The desktop display on Qt 6 Widgets: real top-level windows showing the
// retained client images, a real menu bar, modal dialogs as QDialogs, the
// user's input reported to the window system, a real clock, and waiting
// inside Qt's event loop.
#pragma once

#include <QtGui/qwindowdefs.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QMetaObject>
#include <map>
#include <memory>

#include "platform/display.h"
#include "platform/qt/decorations.h"

class QApplication;
class QWindow;

namespace kelto::platform {

class DialogView;
class TopWindow;
class X11WindowWatch;

class QtDisplay : public Display {
public:
    QtDisplay();
    ~QtDisplay() override;
    QtDisplay(const QtDisplay &) = delete;
    QtDisplay &operator=(const QtDisplay &) = delete;

    // ---- Display
    void attach(DisplayHost &host) override;
    int screen_width() const override;
    int screen_height() const override;
    Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                         int outer_height) const override;
    void window_created(WindowHandle window) override;
    void window_destroyed(WindowHandle window) override;
    void window_shown(WindowHandle window, bool visible) override;
    void client_changed(WindowHandle window, const Rect &area) override;
    void menu_changed(WindowHandle window) override;
    DialogBaseUnits dialog_base_units() const override;
    void dialog_started(WindowHandle dialog) override;
    void dialog_item_changed(WindowHandle dialog, int item_id) override;
    int64_t now_ms() const override;
    void wait(std::optional<int64_t> deadline_ms, WaitFor what) override;
    void poll() override;

    // The Qt window that shows a window, or nullptr.
    TopWindow *top_window(WindowHandle window) const;
    // The QDialog that shows a running dialog, or nullptr.
    DialogView *dialog_view(WindowHandle dialog) const;

    // The native window `id` has been destroyed from outside the program: if
    // it showed a window or a dialog, the window system loses that window.
    void native_window_destroyed(WId id);

private:
    WindowHandle handle_of(const QWindow *window) const;

    // QApplication keeps references to its argument count and vector.
    int argc_ = 1;
    char program_name_[6] = "kelto";
    char *argv_[2] = {program_name_, nullptr};
    std::unique_ptr<QApplication> application_;  // when this display made it

    DisplayHost *host_ = nullptr;
    std::unique_ptr<Decorations> decorations_;
    std::map<WindowHandle, std::unique_ptr<TopWindow>> top_windows_;
    // Dialogs have no TopWindow; each is shown by a DialogView once it has
    // started. Declared after top_windows_, so a view goes before its owner.
    std::map<WindowHandle, std::unique_ptr<DialogView>> dialog_views_;
    QMetaObject::Connection focus_connection_;
    std::unique_ptr<X11WindowWatch> window_watch_;  // on X11 only
    bool window_manager_ = false;                   // one places and decorates the windows
    QElapsedTimer clock_;
};

}  // namespace kelto::platform
