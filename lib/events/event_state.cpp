// Whether the library is open, and the run controls.
#include "events/events.h"
#include "events/graphics_window.h"

namespace kelto::events {

EventState &make_state() {
    state_instance = new EventState;
    return *state_instance;
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

}  // namespace kelto::events
