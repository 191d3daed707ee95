// The "&Run" menu: its items, and the eight commands that the menu and the
// Ctrl keys share.
#include "events/events.h"
#include "events/graphics_window.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "script/script.h"

namespace kelto::events {

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

// The script module's hooks take the check marks off when a script stops.
void toggle_recording() {
    if (script::recording())
        script::end_recording();
    else if (script::start_recording())
        set_menu_check(CMD_RECORD, true);
}

// Playing a script halts the animation: the script brings the ticks.
void toggle_playback() {
    if (script::playing()) {
        script::end_playback();
    } else if (script::start_playback()) {
        halt();
        set_menu_check(CMD_PLAYBACK, true);
    }
}

}  // namespace

void build_run_menu(WindowHandle window) {
    WindowSystem &windows = window_system();
    const MenuHandle bar = windows.create_menu();
    const MenuHandle run = windows.create_popup_menu();
    state().run_menu = run;
    for (const RunMenuItem &item : kRunMenu)
        windows.append_menu(run, item.flags, static_cast<uintptr_t>(item.command),
                            item.text ? item.text : "");
    windows.append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run), "&Run");
    windows.set_menu(window, bar);
    windows.draw_menu_bar(window);
}

void set_menu_check(int command, bool checked) {
    window_system().check_menu_item(state().run_menu, command, checked);
}

void run_command(int command) {
    EventState &events = state();
    switch (command) {
        case CMD_ANIMATE: events.animating = true; break;
        case CMD_HALT: events.animating = false; break;
        case CMD_ONE_FRAME:
            events.animating = false;
            events.one_frame = true;
            break;
        case CMD_LOGGING: set_logging(!events.logging); break;
        case CMD_RECORD: toggle_recording(); break;
        case CMD_PLAYBACK: toggle_playback(); break;
        case CMD_PLAY_ONE:
            if (script::play_one()) halt();
            break;
        case CMD_QUIT: window_system().post_quit(0); break;
        default: break;
    }
}

}  // namespace kelto::events
