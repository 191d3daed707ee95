// The event wait: pumps the window system's messages, copies the changed
// surface to the screen, lets the script player stand in for the user, and
// chooses periodic events while animating. It blocks in the window system
// whenever a pass found nothing to do, so an idle program uses no CPU.
#include "events/events.h"
#include "events/graphics_window.h"
#include "events/unattended_run.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "script/script.h"

namespace kelto::events {

using namespace platform;
using script::EventKind;

namespace {

// Takes and handles at most one message; returns whether one was taken.
bool pump_step(EventState &events, WindowSystem &windows) {
    Message message;
    const bool taken = windows.peek_message(message);
    if (taken && message.message == WM_QUIT) {
        events.event.kind = EventKind::Quit;
        return true;
    }
    if (taken) {
        windows.translate_message(message);
        windows.dispatch_message(message);
    }
    if (events.surface.changed()) copy_surface_to_window();
    return taken;
}

bool event_pending(const EventState &events) {
    return events.event.kind == EventKind::None ||
           (events.event.kind == EventKind::Periodic && !events.timer_fired);
}

}  // namespace

script::Event await_event() {
    EventState &events = state();
    WindowSystem &windows = window_system();
    events.event = script::Event{};
    // An unattended run begins at the first wait of an open library: before
    // KELTO_open the wait answers as on every display, and the script keeps
    // its first event for the program's first real wait.
    UnattendedRun *const unattended =
        events.unattended && is_open() ? &*events.unattended : nullptr;
    if (unattended) begin_unattended_wait(*unattended);
    while (event_pending(events)) {
        const bool taken = pump_step(events, windows);
        // A quit taken in this pass is never overwritten by a scripted event.
        const bool quit_taken = events.event.kind == EventKind::Quit;
        if (!quit_taken && script::play(events.event)) break;
        // Unattended, an ended script leaves the event to the run.
        if (unattended && events.event.kind != EventKind::Quit && script_over()) {
            unattended_event(*unattended, events.event);
            break;
        }
        if ((events.one_frame || events.animating) && events.event.kind == EventKind::None) {
            events.event.kind = EventKind::Periodic;
            events.timer_fired = false;
            events.one_frame = false;
        }
        // Nothing happened in this pass and nothing scripted is due: sleep
        // until the next message or timer deadline instead of polling. A
        // chosen periodic event waits for its tick; otherwise only input helps.
        if (!taken && event_pending(events) && !script::event_due()) {
            // Without the graphics window (never opened, or closed and its
            // quit already handed out) no input and no tick can ever come.
            if (!windows.is_window(events.graphics_window)) {
                events.event.kind = EventKind::Quit;
                break;
            }
            windows.wait_message(events.event.kind == EventKind::Periodic ? WaitFor::AnyMessage
                                                                          : WaitFor::Input);
        }
    }
    script::record(events.event);
    script::Event handed = events.event;
    if (events.quit_requested) handed.kind = EventKind::Quit;
    return handed;
}

}  // namespace kelto::events
