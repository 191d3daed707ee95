// Start-up and shutdown: the graphics window's class and window, the text
// window, the surface and the 100 ms timer, and what the lower modules are
// told through their hooks.
#include <cstdlib>

#include "console/console.h"
#include "events/events.h"
#include "events/graphics_window.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "script/script.h"

namespace kelto::events {

using namespace platform;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uintptr_t kTimerId = 2;
constexpr int kTimerPeriodMs = 100;

void register_classes(WindowSystem &windows) {
    WindowClass window_class;
    window_class.name = "DrawWndClass";
    window_class.procedure = DrawWndProc;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.background = kWhite;
    windows.register_class(window_class);
    console::register_text_class(windows);
}

void clear_playback_check() {
    set_menu_check(CMD_PLAYBACK, false);
}

void clear_record_check() {
    set_menu_check(CMD_RECORD, false);
}

// Runs when the process ends, however it ends (returning, exit()).
void hint_if_never_waited() {
    if (is_open() && !state().waited)
        hint(
            "The program ended without ever waiting for an event, so nobody could use its "
            "window: wait with KELTO_await_event in a loop until it returns KELTO_QUIT.");
}

}  // namespace

void open(void *instance, void *previous_instance, int show_state) {
    EventState &events = state();
    WindowSystem &windows = window_system();
    if (previous_instance == nullptr) register_classes(windows);
    if (!is_open()) std::atexit(hint_if_never_waited);
    script::set_hooks({console::print_line, clear_playback_check, clear_record_check});
    events.animating = false;
    events.one_frame = false;
    events.graphics_window =
        windows.create_window("DrawWndClass", "KELTO Graphics", WS_CAPTION | WS_SYSMENU, 0, 0,
                              kSurfaceWidth, kSurfaceHeight);
    const WindowHandle text_window =
        console::create_text_window(events.graphics_window, note_focus_lost);
    events.instance = instance;
    events.window_dc = events.graphics_window;
    events.surface.create(kSurfaceWidth, kSurfaceHeight);
    // A display that keeps its windows alive beside a program that never
    // waits shows this picture then, and lets Ctrl+Q end such a program.
    windows.display().set_current_picture(events.graphics_window, &events.surface.image(),
                                          &events.surface.held_box());
    windows.display().set_quit_key(QuitKey{VK_CONTROL, 'Q'});
    // The windows appear when the program first draws or waits, the graphics
    // window last, above the text window: a text window the program hides
    // before then never appears. The first picture is then drawn for the
    // client size the graphics window really has.
    windows.hold_shows();
    events.windows_held = true;
    windows.show_window(text_window, show_state);
    windows.show_window(events.graphics_window, show_state);
    windows.set_timer(events.graphics_window, kTimerId, kTimerPeriodMs);
}

void show_held_windows() {
    state().windows_held = false;
    window_system().release_shows();
}

void close() {
    window_system().display().set_current_picture(0, nullptr, nullptr);
    state().window_dc = 0;
    state().windows_held = false;
    script::close();
}

}  // namespace kelto::events
