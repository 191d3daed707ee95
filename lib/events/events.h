// Windows and events: start-up and shutdown, the event wait with its run
// states, and the graphics window that shows the surface. The module owns
// that part of the library's state: the graphics window, the surface, the
// run and logging flags and the event being produced.
#pragma once

#include <optional>

#include "draw/surface.h"
#include "platform/messages.h"
#include "script/event.h"

namespace kelto::events {

constexpr int kSurfaceWidth = 601;
constexpr int kSurfaceHeight = 540;

// A run with nobody at the keyboard, as the replay runner makes it: at the
// first wait the script is switched on as by the "&Playback Script" command;
// once it has ended, each wait hands out a periodic event at once until
// `ticks` have been handed out, and from then on KELTO_QUIT. A program that
// goes on waiting kQuitsBeforeStop times after that is stopped through
// `kept_waiting`.
struct UnattendedRun {
    static constexpr int kQuitsBeforeStop = 100;
    int ticks = 0;
    void (*kept_waiting)() = nullptr;

    bool started = false;
    int quits_handed_out = 0;
};

struct EventState {
    platform::WindowHandle graphics_window = 0;  // none: the library is not open
    void *instance = nullptr;
    // The graphics window's client area while held (from open to close); every
    // copy of the surface to the screen goes through it.
    platform::WindowHandle window_dc = 0;
    // The 601 x 540 off-screen surface all drawing renders into (made by
    // open), with its origin at the centre of the graphics window's client
    // area; the event wait shows the part drawing has changed.
    draw::Surface surface;
    platform::MenuHandle run_menu = 0;

    bool logging = true;
    bool animating = false;
    bool one_frame = false;
    bool quit_requested = false;
    bool timer_fired = false;
    bool ctrl_down = false;
    // The program has waited for an event since the library was opened.
    bool waited = false;
    // KELTO_open's windows are held back until the program first draws or
    // waits (the window system shows them at a wait by itself).
    bool windows_held = false;

    // The event being produced by the current wait.
    script::Event event;

    std::optional<UnattendedRun> unattended;
};

// The module's state, made on first use and never destroyed, as every
// module's is. Unlike the others it is reached through an inline pointer,
// not a function: the drawing calls read it on every call, and this costs
// them one load.
inline EventState *state_instance = nullptr;
EventState &make_state();
inline EventState &state() {
    return state_instance != nullptr ? *state_instance : make_state();
}

bool is_open();

// Registers the window classes (unless a previous instance did), creates the
// graphics window and the text window, the surface and the 100 ms timer, and
// shows both windows. A program that ends without having waited for an
// event after this gets a hint: its window was only a flash.
void open(void *instance, void *previous_instance, int show_state);
// Lets go of the graphics window's client area and closes the script file.
void close();

// Waits for the next event: takes the window system's messages, copies the
// changed surface to the screen, lets a playing script stand in for the user
// and chooses periodic events while animating. Returns the event handed out:
// after a requested quit its kind is always Quit.
script::Event await_event();

// Makes every wait from now on part of an unattended run.
void run_unattended(const UnattendedRun &run);

// The run controls.
void halt();
void one_frame();
void animate();
void request_quit();

// Logging of drawing calls, with the "&Logging" check mark.
void set_logging(bool on);

// The surface all drawing renders into; no image before the library is open.
inline draw::Surface &surface() {
    return state().surface;
}

// Shows the windows KELTO_open held back, once each has its real size.
void show_held_windows();

// The surface as a drawing call takes it: the windows held back by
// KELTO_open appear first, so the first picture is drawn for the client
// size the graphics window really has.
inline draw::Surface &drawing_surface() {
    EventState &events = state();
    if (events.windows_held) show_held_windows();
    return events.surface;
}

}  // namespace kelto::events
