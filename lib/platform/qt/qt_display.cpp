// The Qt display: the application object, one TopWindow per window and one
// DialogView per running dialog, the focus, native windows lost to another
// program, the real clock and the wait inside Qt's event loop.
#include "platform/qt/qt_display.h"

#include <QtCore/QTimer>
#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QScreen>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenuBar>
#include <algorithm>
#include <chrono>

#include "platform/display_host.h"
#include "platform/qt/application.h"
#include "platform/qt/dialog_view.h"
#include "platform/qt/toolkit_thread.h"
#include "platform/qt/top_window.h"
#include "platform/qt/x11_window_watch.h"
#include "platform/system.h"

namespace kelto::platform {

namespace {

constexpr int kFallbackScreenWidth = 1024;
constexpr int kFallbackScreenHeight = 768;

// The height of a one-item menu bar in the current style, before any window
// with a menu has been shown and measured.
int menu_bar_estimate() {
    QMenuBar bar;
    bar.setNativeMenuBar(false);
    bar.addMenu(QStringLiteral("&Run"));
    return bar.sizeHint().height();
}

// The font of dialogs, whose metrics are the dialog units.
QFont dialog_font() {
    return QApplication::font("QDialog");
}

}  // namespace

QtDisplay::QtDisplay() {
    clock_.start();
}

QtDisplay::~QtDisplay() {
    QObject::disconnect(focus_connection_);
    if (window_watch_ && qApp) qApp->removeNativeEventFilter(window_watch_.get());
}

void QtDisplay::attach(DisplayHost &host) {
    host_ = &host;
    if (!QApplication::instance()) {
        application_ = start_application(argc_, argv_);
    } else if (!qobject_cast<QApplication *>(QApplication::instance())) {
        qFatal("KELTO needs a QApplication, but the program made another kind of Qt application");
    }
    decorations_ = std::make_unique<Decorations>(menu_bar_estimate());
    // Focus leaving the library's windows must reach the window system, so a
    // held Control key is forgotten.
    focus_connection_ = QObject::connect(
        qApp, &QGuiApplication::focusWindowChanged,
        [this](QWindow *window) { host_->report(FocusChanged{handle_of(window)}); });
    // A window destroyed by another X client is lost to the window system.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        window_watch_ =
            std::make_unique<X11WindowWatch>([this](WId id) { native_window_destroyed(id); });
        qApp->installNativeEventFilter(window_watch_.get());
        window_manager_ = x11_window_manager_running();
    }
}

int QtDisplay::screen_width() const {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : kFallbackScreenWidth;
}

int QtDisplay::screen_height() const {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : kFallbackScreenHeight;
}

Rect QtDisplay::client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                int outer_height) const {
    return decorations_->client_for(style, has_menu, outer_width, outer_height);
}

void QtDisplay::window_created(WindowHandle window) {
    // A dialog is shown by its DialogView, made when the dialog starts.
    if (host_->dialog(window)) return;
    top_windows_[window] =
        std::make_unique<TopWindow>(*host_, *decorations_, window, window_manager_);
}

void QtDisplay::window_destroyed(WindowHandle window) {
    dialog_views_.erase(window);
    top_windows_.erase(window);
}

void QtDisplay::window_shown(WindowHandle window, bool visible) {
    if (TopWindow *top = top_window(window)) top->set_shown(visible);
    if (DialogView *view = dialog_view(window)) view->set_shown(visible);
}

void QtDisplay::client_changed(WindowHandle window, const Rect &area) {
    if (TopWindow *top = top_window(window)) top->client_changed(area);
}

void QtDisplay::menu_changed(WindowHandle window) {
    if (TopWindow *top = top_window(window)) top->menu_changed();
}

DialogBaseUnits QtDisplay::dialog_base_units() const {
    const QFontMetrics metrics(dialog_font());
    if (metrics.averageCharWidth() <= 0 || metrics.height() <= 0) return {};
    return DialogBaseUnits{metrics.averageCharWidth(), metrics.height()};
}

void QtDisplay::dialog_started(WindowHandle dialog) {
    const Dialog *running = host_->dialog(dialog);
    if (!running) return;
    QWidget *owner = top_window(running->owner);
    if (!owner) owner = dialog_view(running->owner);
    dialog_views_[dialog] = std::make_unique<DialogView>(*host_, dialog, owner, dialog_font());
}

void QtDisplay::dialog_item_changed(WindowHandle dialog, int item_id) {
    if (DialogView *view = dialog_view(dialog)) view->item_changed(item_id);
}

int64_t QtDisplay::now_ms() const {
    return clock_.elapsed();
}

// A real user can always bring input, whatever the wait is for.
void QtDisplay::wait(std::optional<int64_t> deadline_ms, WaitFor) {
    // The timer only wakes the event loop at the deadline.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    while (!host_->message_ready()) {
        const int64_t now = now_ms();
        if (deadline_ms && now >= *deadline_ms) return;
        if (deadline_ms && !deadline.isActive())
            deadline.start(std::chrono::milliseconds(*deadline_ms - now));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void QtDisplay::poll() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

TopWindow *QtDisplay::top_window(WindowHandle window) const {
    auto it = top_windows_.find(window);
    return it == top_windows_.end() ? nullptr : it->second.get();
}

DialogView *QtDisplay::dialog_view(WindowHandle dialog) const {
    auto it = dialog_views_.find(dialog);
    return it == dialog_views_.end() ? nullptr : it->second.get();
}

void QtDisplay::native_window_destroyed(WId id) {
    if (id == 0) return;
    WindowHandle lost = 0;
    for (const auto &[handle, top] : top_windows_)
        if (top->internalWinId() == id) lost = handle;
    for (const auto &[handle, view] : dialog_views_)
        if (view->internalWinId() == id) lost = handle;
    if (lost != 0) host_->report(WindowLost{lost});
}

WindowHandle QtDisplay::handle_of(const QWindow *window) const {
    if (!window) return 0;
    for (const auto &[handle, top] : top_windows_)
        if (top->windowHandle() == window) return handle;
    for (const auto &[handle, view] : dialog_views_)
        if (view->windowHandle() == window) return handle;
    return 0;
}

// A program started by the library's entry keeps Qt on the main thread; one
// that drives Qt itself has the display on its own thread.
std::unique_ptr<Display> make_platform_display() {
    if (toolkit_on_main_thread()) return make_display_on_main_thread();
    return std::make_unique<QtDisplay>();
}

}  // namespace kelto::platform
