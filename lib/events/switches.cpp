// The logging and text-window switches offered to programs.
#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "platform/window_system.h"

extern "C" int KELTO_logging(int on) {
    using namespace kelto;
    LibState &state = lib_state();
    if (state.graphics_window == 0) return 0;
    state.logging = on ? 1 : 0;
    set_menu_check(CMD_LOGGING, state.logging != 0);
    if (state.logging) KELTO_show_text(1);
    return 1;
}

extern "C" int KELTO_show_text(int show) {
    using namespace kelto;
    platform::WindowSystem &windows = window_system();
    const platform::WindowHandle text_window = lib_state().text_window;
    const bool was_visible =
        windows.show_window(text_window, show ? platform::SW_SHOW : platform::SW_HIDE);
    if (show) windows.set_focus(text_window);
    return was_visible ? 1 : 0;
}
