// The event wait: pumps the window system's messages, copies the changed
// surface to the screen, lets the script player stand in for the user, and
// chooses periodic events while animating. It blocks in the window system
// whenever a pass found nothing to do, so an idle program uses no CPU.
#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "platform/window_system.h"
#include "script/script.h"

namespace kelto {

using namespace platform;

namespace {

// Takes and handles at most one message; returns whether one was taken.
bool pump_step(LibState &state, WindowSystem &windows) {
    Message message;
    const bool taken = windows.peek_message(message);
    if (taken && message.message == WM_QUIT) {
        state.event_kind = KELTO_QUIT;
        return true;
    }
    if (taken) {
        windows.translate_message(message);
        windows.dispatch_message(message);
    }
    if (state.surface_changed) copy_surface_to_window();
    return taken;
}

bool event_pending(const LibState &state) {
    return state.event_kind == KELTO_NONE ||
           (state.event_kind == KELTO_PERIODIC && state.timer_fired == 0);
}

void record(LibState &state) {
    if (state.event_kind == KELTO_PERIODIC) {
        ++state.periodic_count;
        return;
    }
    if (state.periodic_count > 0) {
        KELTO_script_write(KELTO_PERIODIC, 0, 0, 0);
        state.periodic_count = 0;
    }
    KELTO_script_write(state.event_kind, state.event_x, state.event_y, state.event_key);
}

}  // namespace

}  // namespace kelto

extern "C" int KELTO_await_event(int *x, int *y, char *key) {
    using namespace kelto;
    LibState &state = lib_state();
    WindowSystem &windows = window_system();
    state.event_kind = KELTO_NONE;
    state.event_key = 0;
    state.event_y = 0;
    state.event_x = 0;
    while (event_pending(state)) {
        const bool taken = pump_step(state, windows);
        // A quit taken in this pass is never overwritten by a scripted event.
        const bool quit_taken = state.event_kind == KELTO_QUIT;
        if ((state.play_one || state.playing) && !quit_taken) {
            state.play_one = 0;
            if (KELTO_script_read()) break;
            state.play_one = 0;
            state.playing = 0;
        }
        if ((state.one_frame || state.animating) && state.event_kind == KELTO_NONE) {
            state.event_kind = KELTO_PERIODIC;
            state.timer_fired = 0;
            state.one_frame = 0;
        }
        // Nothing happened in this pass and nothing scripted is due: sleep
        // until the next message or timer deadline instead of polling. A
        // chosen periodic event waits for its tick; otherwise only input helps.
        if (!taken && event_pending(state) && !state.playing && !state.play_one) {
            // Without the graphics window (never opened, or closed and its
            // quit already handed out) no input and no tick can ever come.
            if (!windows.is_window(state.graphics_window)) {
                state.event_kind = KELTO_QUIT;
                break;
            }
            windows.wait_message(state.event_kind == KELTO_PERIODIC ? WaitFor::AnyMessage
                                                                    : WaitFor::Input);
        }
    }
    if (state.recording) record(state);
    if (x) *x = state.event_x;
    if (y) *y = state.event_y;
    if (key) *key = static_cast<char>(state.event_key);
    return state.quit_requested ? KELTO_QUIT : state.event_kind;
}

extern "C" int KELTO_run_control(int code) {
    using namespace kelto;
    LibState &state = lib_state();
    if (state.graphics_window == 0) return 0;
    switch (code) {
        case RUN_HALT:
            state.one_frame = 0;
            state.animating = 0;
            break;
        case RUN_ONE_FRAME: state.one_frame = 1; break;
        case RUN_ANIMATE: state.animating = 1; break;
        case RUN_QUIT: state.quit_requested = 1; break;
        default: break;
    }
    return 1;
}
