// The "&Run" menu: its items, and the eight commands that the menu and the
// Ctrl keys share.
#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "platform/window_system.h"
#include "script/script.h"

namespace kelto {

using namespace platform;

namespace {

struct RunMenuItem {
    const char *text;  // nullptr: a separator
    int command;
    unsigned flags;
};

constexpr RunMenuItem kRunMenu[] = {
    {"&Animate\tCtrl+A", CMD_ANIMATE, MF_STRING},
    {"&Halt animation\tCtrl+H", CMD_HALT, MF_STRING},
    {"Advance one &frame\tCtrl+F", CMD_ONE_FRAME, MF_STRING},
    {nullptr, 0, MF_SEPARATOR},
    {"&Logging\tCtrl+L", CMD_LOGGING, MF_STRING | MF_CHECKED},
    {nullptr, 0, MF_SEPARATOR},
    {"&Record Script\tCtrl+R", CMD_RECORD, MF_STRING},
    {"&Playback Script\tCtrl+P", CMD_PLAYBACK, MF_STRING},
    {"Play &One Script\tCtrl+O", CMD_PLAY_ONE, MF_STRING},
    {nullptr, 0, MF_SEPARATOR},
    {"&Quit\tCtrl+Q", CMD_QUIT, MF_STRING},
    {nullptr, 0, MF_SEPARATOR},
    {"KELTO v2.2 July 1997", CMD_ABOUT, MF_STRING | MF_GRAYED},
    {"Graphics for first programs", CMD_ABOUT, MF_STRING | MF_GRAYED},
    {"Questions: ask your course tutor", CMD_ABOUT, MF_STRING | MF_GRAYED},
    {"or the lab helpdesk", CMD_ABOUT, MF_STRING | MF_GRAYED},
};

void toggle_logging() {
    LibState &state = lib_state();
    state.logging = state.logging ? 0 : 1;
    set_menu_check(CMD_LOGGING, state.logging != 0);
}

void toggle_recording() {
    LibState &state = lib_state();
    if (state.recording) {
        state.recording = 0;
        set_menu_check(CMD_RECORD, false);
        if (state.periodic_count > 0) {
            KELTO_script_write(KELTO_PERIODIC, 0, 0, 0);
            state.periodic_count = 0;
        }
        KELTO_script_close();
    } else {
        if (!script_begin_recording()) return;
        state.recording = 1;
        set_menu_check(CMD_RECORD, true);
    }
}

void toggle_playback() {
    LibState &state = lib_state();
    if (state.playing) {
        state.playing = 0;
        set_menu_check(CMD_PLAYBACK, false);
        KELTO_script_close();
    } else {
        if (!script_may_play()) return;
        state.animating = 0;
        state.one_frame = 0;
        state.playing = 1;
        set_menu_check(CMD_PLAYBACK, true);
    }
}

}  // namespace

void build_run_menu(WindowHandle window) {
    WindowSystem &windows = window_system();
    const MenuHandle bar = windows.create_menu();
    const MenuHandle run = windows.create_popup_menu();
    lib_state().run_menu = run;
    for (const RunMenuItem &item : kRunMenu)
        windows.append_menu(run, item.flags, static_cast<uintptr_t>(item.command),
                            item.text ? item.text : "");
    windows.append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run), "&Run");
    windows.set_menu(window, bar);
    windows.draw_menu_bar(window);
}

void set_menu_check(int command, bool checked) {
    window_system().check_menu_item(lib_state().run_menu, command, checked);
}

void run_command(int command) {
    LibState &state = lib_state();
    switch (command) {
        case CMD_ANIMATE: state.animating = 1; break;
        case CMD_HALT: state.animating = 0; break;
        case CMD_ONE_FRAME:
            state.animating = 0;
            state.one_frame = 1;
            break;
        case CMD_LOGGING: toggle_logging(); break;
        case CMD_RECORD: toggle_recording(); break;
        case CMD_PLAYBACK: toggle_playback(); break;
        case CMD_PLAY_ONE:
            if (!script_may_play()) break;
            state.play_one = 1;
            state.animating = 0;
            state.one_frame = 0;
            break;
        case CMD_QUIT: window_system().post_quit(0); break;
        default: break;
    }
}

}  // namespace kelto
