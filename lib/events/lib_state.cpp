// The one LibState of the process and the lazily created services it owns.
#include "events/lib_state.h"

#include "draw/fonts.h"
#include "platform/default_display.h"
#include "platform/headless/headless_display.h"
#include "platform/window_system.h"

namespace kelto {

LibState::LibState() = default;

LibState::~LibState() = default;

// The state lives as long as the process and is never destroyed: the library
// frees nothing at shutdown beyond what KELTO_close gives back, and the
// windows and the toolkit end with the process instead of in a destructor
// that would run after the toolkit's own globals are gone.
LibState &lib_state() {
    static LibState *const state = new LibState;
    return *state;
}

platform::WindowSystem &window_system() {
    LibState &state = lib_state();
    if (!state.windows)
        state.windows = std::make_unique<platform::WindowSystem>(platform::make_default_display());
    return *state.windows;
}

text::FontLibrary &fonts() {
    LibState &state = lib_state();
    if (!state.fonts) state.fonts = std::make_unique<text::FontLibrary>();
    return *state.fonts;
}

platform::HeadlessDisplay &use_headless_display() {
    LibState &state = lib_state();
    auto display = std::make_unique<platform::HeadlessDisplay>();
    platform::HeadlessDisplay &headless = *display;
    state.windows = std::make_unique<platform::WindowSystem>(std::move(display));
    return headless;
}

}  // namespace kelto
