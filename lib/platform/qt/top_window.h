// One top-level window of the window system on screen: a QMainWindow with
// the window's title, style and menu bar around a ClientView. It keeps the
// outer size the window system asked for, frame included, and reports moves,
// user sizing, the keyboard and the close box to the window system.
#pragma once

#include <QtWidgets/QMainWindow>
#include <memory>
#include <optional>

#include "platform/messages.h"
#include "platform/qt/decorations.h"

namespace kelto::platform {

// Shows a top-level widget in front with the focus, or hides it.
void set_shown_in_front(QWidget &widget, bool visible);

class ClientView;
class MenuBarView;
class DisplayHost;

class TopWindow : public QMainWindow {
public:
    // `window_manager`: whether a window manager places and decorates it.
    TopWindow(DisplayHost &host, Decorations &decorations, WindowHandle window,
              bool window_manager);
    ~TopWindow() override;

    WindowHandle handle() const { return window_; }
    ClientView &client() { return *client_; }

    void set_shown(bool visible);
    // Repaints `area` of the client from the retained image.
    void client_changed(const Rect &area);
    void menu_changed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report_key(const QKeyEvent &event);
    // Sizes and places the window so that its outer rectangle, frame
    // included, is the one the window system holds.
    void place();
    // Measures frame and menu bar, follows a changed frame, reports moves and
    // user sizing, and makes the window system's client size the real one.
    void sync_geometry();

    DisplayHost &host_;
    Decorations &decorations_;
    WindowHandle window_;
    uint32_t style_;
    ClientView *client_;  // owned by the QMainWindow
    std::unique_ptr<MenuBarView> menu_view_;
    std::optional<Frame> frame_;  // as last measured on this window
    bool syncing_ = false;
    const bool window_manager_;
    bool placed_ = false;  // told to the host once
};

}  // namespace kelto::platform
