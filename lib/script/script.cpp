// Script recorder and player. Recording and playback are not built yet: the
// writer writes nothing and the reader has no events.
#include "script/script.h"

#include "events/graphics_window.h"
#include "events/lib_state.h"

namespace kelto {

void KELTO_script_write(int, int, int, signed char) {}

int KELTO_script_read() {
    KELTO_script_stop_playback();
    return 0;
}

void KELTO_script_stop_playback() {
    LibState &state = lib_state();
    state.playing = 0;
    state.play_one = 0;
    set_menu_check(CMD_PLAYBACK, false);
}

void KELTO_script_close() {
    LibState &state = lib_state();
    if (state.script_file) {
        std::fclose(state.script_file);
        state.script_file = nullptr;
    }
}

}  // namespace kelto
