// Library start-up and shutdown: the two window classes and windows, the
// surface and the 100 ms timer.
#include "console/console.h"
#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "platform/window_system.h"
#include "script/script.h"

namespace kelto {

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
    window_class.name = "TextWndClass";
    window_class.procedure = TextWndProc;
    windows.register_class(window_class);
}

}  // namespace

}  // namespace kelto

extern "C" int KELTO_open(KeltoInstance instance, KeltoInstance previous_instance, char *,
                          int show_state) {
    using namespace kelto;
    LibState &state = lib_state();
    WindowSystem &windows = window_system();
    if (previous_instance == nullptr) register_classes(windows);
    const int screen_width = windows.screen_width();
    const int screen_height = windows.screen_height();
    state.animating = 0;
    state.one_frame = 0;
    state.graphics_window =
        windows.create_window("DrawWndClass", "KELTO Graphics", WS_CAPTION | WS_SYSMENU, 0, 0,
                              kSurfaceWidth, kSurfaceHeight);
    state.text_window =
        windows.create_window("TextWndClass", "KELTO Text", WS_OVERLAPPEDWINDOW, 0,
                              (2 * screen_height) / 3 + 1, screen_width, screen_height / 3);
    state.instance = instance;
    state.window_dc = state.graphics_window;
    state.surface = std::make_unique<Image>(kSurfaceWidth, kSurfaceHeight);
    windows.show_window(state.text_window, show_state);
    windows.show_window(state.graphics_window, show_state);
    windows.set_timer(state.graphics_window, kTimerId, kTimerPeriodMs);
    return 1;
}

extern "C" int KELTO_close(void) {
    using namespace kelto;
    lib_state().window_dc = 0;
    KELTO_script_close();
    return 1;
}
