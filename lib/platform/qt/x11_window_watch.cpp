// The X11 window watch: picks the destroy notices out of the X events.
#include "platform/qt/x11_window_watch.h"

#include <xcb/xcb.h>

#include <QtCore/QByteArray>
#include <QtGui/QGuiApplication>
#include <cstdlib>
#include <utility>

namespace kelto::platform {

namespace {

// The high bit of an event's type marks an event sent by another client.
constexpr uint8_t kSentEventBit = 0x80;

}  // namespace

bool x11_window_manager_running() {
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    // A window manager names its check window on the root window.
    constexpr char kCheck[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof kCheck - 1, kCheck), nullptr);
    if (!atom) return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t *property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
        nullptr);
    const bool running =
        atom->atom != XCB_ATOM_NONE && property && xcb_get_property_value_length(property) > 0;
    std::free(property);
    std::free(atom);
    return running;
}

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
