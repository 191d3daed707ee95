// Top-level windows: style, placement, frame measurement, keys and close box.
#include "platform/qt/top_window.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QMenuBar>
#include <algorithm>

#include "platform/display_host.h"
#include "platform/qt/client_view.h"
#include "platform/qt/key_map.h"
#include "platform/qt/menu_bar.h"

namespace kelto::platform {

namespace {

Qt::WindowFlags flags_for(uint32_t style) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    if (!(style & (WS_CAPTION | WS_THICKFRAME))) flags |= Qt::FramelessWindowHint;
    return flags;
}

}  // namespace

TopWindow::TopWindow(DisplayHost &host, Decorations &decorations, WindowHandle window,
                     bool window_manager)
    : QMainWindow(nullptr),
      host_(host),
      decorations_(decorations),
      window_(window),
      window_manager_(window_manager) {
    const Window *model = host_.window(window_);
    style_ = model ? model->style : 0;
    setWindowFlags(flags_for(style_));
    setWindowTitle(QString::fromLatin1(model ? model->title : std::string()));
    client_ = new ClientView(host_, window_, this);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    place();
}

TopWindow::~TopWindow() = default;

void set_shown_in_front(QWidget &widget, bool visible) {
    if (!visible) {
        widget.hide();
        return;
    }
    widget.show();
    widget.raise();
    widget.activateWindow();
}

void TopWindow::set_shown(bool visible) {
    set_shown_in_front(*this, visible);
}

void TopWindow::client_changed(const Rect &area) {
    client_->update(area.left, area.top, area.width(), area.height());
}

void TopWindow::menu_changed() {
    const Window *model = host_.window(window_);
    if (!model) return;
    if (!menu_view_ && model->menu == 0) return;
    if (!menu_view_) menu_view_ = std::make_unique<MenuBarView>(*menuBar(), host_, window_);
    menu_view_->sync(model->menu);
}

bool TopWindow::event(QEvent *event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto &key = static_cast<const QKeyEvent &>(*event);
            if (is_system_key(key)) break;
            report_key(key);
            return true;
        }
        case QEvent::Close:
            // The window system decides: its default procedure destroys the window.
            event->ignore();
            host_.report(CloseRequest{window_});
            return true;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show: {
            const bool handled = QMainWindow::event(event);
            sync_geometry();
            return handled;
        }
        default: break;
    }
    return QMainWindow::event(event);
}

bool TopWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == client_ && event->type() == QEvent::Resize) sync_geometry();
    return QMainWindow::eventFilter(watched, event);
}

void TopWindow::report_key(const QKeyEvent &event) {
    const unsigned key = virtual_key(event.key());
    if (event.type() == QEvent::KeyRelease) {
        // Auto-repeat sends release and press pairs; only the press counts.
        if (!event.isAutoRepeat()) host_.report(KeyUp{window_, key});
        return;
    }
    const auto repeat = static_cast<unsigned>(std::max(1, event.count()));
    host_.report(KeyDown{window_, key, typed_character(event), repeat});
}

void TopWindow::place() {
    const Window *model = host_.window(window_);
    if (!model) return;
    const Frame frame = frame_.value_or(decorations_.frame_for(style_));
    const QSize inner(std::max(1, model->outer.width() - frame.left - frame.right),
                      std::max(1, model->outer.height() - frame.top - frame.bottom));
    if (style_ & WS_THICKFRAME) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(inner);
    } else {
        setFixedSize(inner);
    }
    // A top-level window's position is that of its frame.
    move(model->outer.left, model->outer.top);
}

void TopWindow::sync_geometry() {
    if (syncing_ || !isVisible()) return;
    syncing_ = true;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const Frame frame{inner.left() - outer.left(), inner.top() - outer.top(),
                      outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    decorations_.note_frame(style_, frame);
    if (menu_view_ && menuBar()->isVisible())
        decorations_.note_menu_bar(inner.height() - client_->height());
    const bool changed = frame_ != frame;
    if (changed) {
        // A new or changed frame (the window manager has just decorated the
        // window): keep the outer size that was asked for.
        frame_ = frame;
        place();
    } else {
        host_.report(
            WindowMoved{window_, Rect{outer.left(), outer.top(), outer.left() + outer.width(),
                                      outer.top() + outer.height()}});
    }
    // The window system's client area follows the real one: reported at the
    // same place, it is measured again with the decorations just noted.
    if (const Window *model = host_.window(window_);
        model &&
        (model->client.width() != client_->width() || model->client.height() != client_->height()))
        host_.report(WindowMoved{window_, model->outer});
    // Placed: at once without a window manager; with one, once its frame is
    // on the window and the size that keeps the outer size has taken effect.
    if (!placed_ && (!window_manager_ || (!changed && frame != Frame{}))) {
        placed_ = true;
        host_.window_placed(window_);
    }
    syncing_ = false;
}

}  // namespace kelto::platform
