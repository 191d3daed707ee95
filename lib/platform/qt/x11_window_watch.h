// Watches the X server's notices for windows destroyed from outside the
// program (by another client, such as a window tool or a crashed window
// manager) and passes on the native identifier of each. Installed only when
// Qt runs on X11, where it also tells whether a window manager runs.
#pragma once

#include <QtGui/qwindowdefs.h>

#include <QtCore/QAbstractNativeEventFilter>
#include <functional>

namespace kelto::platform {

// True when a window manager runs on the X server Qt is connected to.
bool x11_window_manager_running();

class X11WindowWatch : public QAbstractNativeEventFilter {
public:
    explicit X11WindowWatch(std::function<void(WId)> destroyed);

    // Sees every X event before Qt handles it; lets each go on to Qt.
    bool nativeEventFilter(const QByteArray &event_type, void *message, qintptr *result) override;

private:
    std::function<void(WId)> destroyed_;
};

}  // namespace kelto::platform
