// The events module's state, the run controls and the surface as a canvas.
#include "events/events.h"
#include "events/graphics_window.h"

namespace kelto::events {

EventState &state() {
    static EventState *const events = new EventState;
    return *events;
}

bool is_open() {
    return state().graphics_window != 0;
}

void halt() {
    state().one_frame = false;
    state().animating = false;
}

void one_frame() {
    state().one_frame = true;
}

void animate() {
    state().animating = true;
}

void request_quit() {
    state().quit_requested = true;
}

void set_logging(bool on) {
    state().logging = on;
    set_menu_check(CMD_LOGGING, on);
}

draw::Canvas canvas() {
    EventState &events = state();
    return draw::Canvas{events.surface.get(), events.origin_x, events.origin_y};
}

void mark_surface_changed() {
    state().surface_changed = true;
}

}  // namespace kelto::events
