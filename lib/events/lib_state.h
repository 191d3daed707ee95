// LibState: the library's one set of process-wide variables, with their fixed
// initial values. Every library module reads and writes its fields here.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "kelto.h"
#include "platform/image.h"
#include "platform/messages.h"

namespace kelto {

namespace platform {
class WindowSystem;
class HeadlessDisplay;
}  // namespace platform
namespace text {
class FontLibrary;
}

constexpr int kSurfaceWidth = 601;
constexpr int kSurfaceHeight = 540;
constexpr int kConsoleLines = 25;

struct LibState {
    LibState();
    ~LibState();

    // The window system (with its display) and the fonts are created on first use.
    std::unique_ptr<platform::WindowSystem> windows;
    std::unique_ptr<text::FontLibrary> fonts;

    platform::WindowHandle graphics_window = 0;  // none: the library is not open
    platform::WindowHandle text_window = 0;
    KeltoInstance instance = nullptr;
    // The graphics window's client area while held (from open to close); every
    // copy of the surface to the screen goes through it.
    platform::WindowHandle window_dc = 0;
    // The 601 x 540 off-screen surface all drawing renders into.
    std::unique_ptr<Image> surface;
    platform::MenuHandle run_menu = 0;

    int origin_x = 0;
    int origin_y = 0;
    int surface_changed = 1;

    uint8_t logging = 1;
    uint8_t animating = 0;
    uint8_t one_frame = 0;
    uint8_t quit_requested = 0;
    int timer_fired = 0;
    int ctrl_down = 0;

    int event_kind = KELTO_NONE;
    int event_x = 0;
    int event_y = 0;
    signed char event_key = 0;

    uint8_t recording = 0;
    uint8_t playing = 0;
    uint8_t play_one = 0;
    // The recorder's run of periodic events returned and not yet written.
    int periodic_count = 0;
    // The player's periodic events still owed by the last periodic line read.
    int playback_count = 0;
    std::FILE *script_file = nullptr;

    int console_first = -1;
    int console_next = 0;
    std::array<std::unique_ptr<char[]>, kConsoleLines> console_lines;

    char *input_buffer = nullptr;
};

LibState &lib_state();

// The window system, created with the default display on first use.
platform::WindowSystem &window_system();
// The font library, created on first use.
text::FontLibrary &fonts();
// Selects the headless display; call before KELTO_open (tests, automation).
platform::HeadlessDisplay &use_headless_display();

}  // namespace kelto
