// DrawWndProc: turns what the user does in the graphics window into changes
// of the events module's state: mouse presses, typed characters, Ctrl
// commands, timer ticks, the origin, painting and the quit on destruction.
#include "events/graphics_window.h"

#include "console/console.h"
#include "events/events.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::events {

using namespace platform;

namespace {

// The command a letter key gives together with Ctrl, or 0. Letter keys have
// their upper-case codes whatever Shift and Caps Lock do; no other key counts.
int ctrl_command(uintptr_t virtual_key) {
    switch (virtual_key) {
        case 'A': return CMD_ANIMATE;
        case 'H': return CMD_HALT;
        case 'F': return CMD_ONE_FRAME;
        case 'L': return CMD_LOGGING;
        case 'R': return CMD_RECORD;
        case 'P': return CMD_PLAYBACK;
        case 'O': return CMD_PLAY_ONE;
        case 'Q': return CMD_QUIT;
        default: return 0;
    }
}

void set_origin(WindowHandle window) {
    const Rect client = window_system().client_rect(window);
    surface().set_origin(client.left + (client.right - client.left) / 2,
                         client.top + (client.bottom - client.top) / 2);
}

// Painting copies the whole surface, whatever drawing has changed.
void paint(WindowHandle window) {
    WindowSystem &windows = window_system();
    windows.begin_paint(window);
    surface().mark_all_changed();
    copy_surface_to_window();
    windows.end_paint(window);
}

void mouse_press(intptr_t lparam) {
    EventState &events = state();
    const int x = static_cast<int>(low_word(lparam));
    const int y = static_cast<int>(high_word(lparam));
    events.event.x = x - events.surface.origin_x();
    events.event.y = events.surface.origin_y() - y;
    events.event.kind = script::EventKind::Mouse;
}

void key_down(uintptr_t virtual_key) {
    EventState &events = state();
    if (virtual_key == VK_CONTROL) {
        events.ctrl_down = true;
    } else if (events.ctrl_down) {
        if (const int command = ctrl_command(virtual_key)) run_command(command);
    }
}

void typed(uintptr_t character) {
    EventState &events = state();
    if (events.ctrl_down) return;
    events.event.kind = script::EventKind::Key;
    events.event.key = static_cast<signed char>(character & 0xFF);
}

}  // namespace

void copy_surface_to_window() {
    EventState &events = state();
    WindowSystem &windows = window_system();
    Image *client = windows.client_image(events.window_dc);
    const Rect area = events.surface.take_changed();
    if (client && !area.empty()) {
        copy_area(*client, events.surface.image(), area.left, area.top, area.right, area.bottom);
        windows.client_changed(events.window_dc, area);
    }
}

void note_focus_lost(uintptr_t new_focus) {
    const auto focus = static_cast<WindowHandle>(new_focus);
    if (focus == 0 || (focus != state().graphics_window && focus != console::state().text_window))
        state().ctrl_down = false;
}

intptr_t DrawWndProc(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_CREATE: build_run_menu(window); return 0;
        case WM_SIZE: set_origin(window); return 0;
        case WM_PAINT: paint(window); return 0;
        case WM_TIMER: state().timer_fired = true; return 0;
        case WM_LBUTTONDOWN: mouse_press(lparam); return 0;
        case WM_KEYDOWN: key_down(wparam); return 0;
        case WM_KEYUP:
            if (wparam == VK_CONTROL) state().ctrl_down = false;
            return 0;
        case WM_CHAR: typed(wparam); return 0;
        case WM_COMMAND:
            run_command(static_cast<int>(low_word(static_cast<intptr_t>(wparam))));
            return 0;
        case WM_KILLFOCUS: note_focus_lost(wparam); return 0;
        case WM_DESTROY: window_system().post_quit(0); return 0;
        default: return window_system().default_procedure(window, message, wparam, lparam);
    }
}

}  // namespace kelto::events
