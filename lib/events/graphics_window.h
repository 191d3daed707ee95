// The graphics window: its procedure, the "&Run" menu and its commands, and
// the copy of the surface into its client area.
#pragma once

#include <cstdint>

#include "platform/messages.h"

namespace kelto::events {

// Menu command identifiers of the "&Run" menu.
enum RunCommand : int {
    CMD_ANIMATE = 1,
    CMD_HALT = 2,
    CMD_ONE_FRAME = 3,
    CMD_LOGGING = 4,
    CMD_RECORD = 5,
    CMD_PLAYBACK = 6,
    CMD_PLAY_ONE = 7,
    CMD_QUIT = 8,
    CMD_ABOUT = 9,
};

intptr_t DrawWndProc(platform::WindowHandle window, unsigned message, uintptr_t wparam,
                     intptr_t lparam);

// Builds the "&Run" menu, attaches it to `window` and stores it in run_menu.
void build_run_menu(platform::WindowHandle window);

// Carries out a "&Run" menu command (1..8); other identifiers are ignored.
void run_command(int command);

// Sets or removes the check mark of a "&Run" menu command.
void set_menu_check(int command, bool checked);

// Copies the part of the surface that changed since the last copy to the
// graphics window's client area through window_dc; from then on the surface
// counts as unchanged.
void copy_surface_to_window();

// The keyboard focus left a library window for `new_focus`: forget a held
// Control key unless the focus stays with the library.
void note_focus_lost(uintptr_t new_focus);

}  // namespace kelto::events
