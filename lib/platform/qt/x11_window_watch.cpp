// The X11 window watch: picks the destroy notices out of the X events.
#include "platform/qt/x11_window_watch.h"

#include <xcb/xcb.h>

#include <QtCore/QByteArray>
#include <utility>

namespace kelto::platform {

namespace {

// The high bit of an event's type marks an event sent by another client.
constexpr uint8_t kSentEventBit = 0x80;

}  // namespace

X11WindowWatch::X11WindowWatch(std::function<void(WId)> destroyed)
    : destroyed_(std::move(destroyed)) {}

bool X11WindowWatch::nativeEventFilter(const QByteArray &event_type, void *message, qintptr *) {
    if (event_type != "xcb_generic_event_t") return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~kSentEventBit) == XCB_DESTROY_NOTIFY)
        destroyed_(
            static_cast<WId>(static_cast<const xcb_destroy_notify_event_t *>(message)->window));
    return false;
}

}  // namespace kelto::platform
