// Switching scripts on and off: stopping playback, closing the script file,
// and keeping recording and playback from running at the same time.
#include <cstdio>

#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "kelto.h"
#include "script/script.h"

namespace kelto {

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
    state.playback_count = 0;
}

bool script_begin_recording() {
    const LibState &state = lib_state();
    if (state.playing || state.play_one) {
        KELTO_printf("Cannot record script %s while it is being played back\n", kScriptFileName);
        return false;
    }
    KELTO_script_close();
    return true;
}

bool script_may_play() {
    if (lib_state().recording) {
        KELTO_printf("Cannot play back script %s while it is being recorded\n", kScriptFileName);
        return false;
    }
    return true;
}

}  // namespace kelto
