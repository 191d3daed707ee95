// The script module's state and hooks, and switching scripts on and off:
// stopping playback and recording, closing the script file, and keeping
// recording and playback from running at the same time.
#include <cstdarg>
#include <cstdio>

#include "script/report.h"
#include "script/script.h"

namespace kelto::script {

ScriptState &state() {
    static ScriptState *const script = new ScriptState;
    return *script;
}

const char *file_name() {
    return state().file_name.c_str();
}

void set_file_name(const char *name) {
    state().file_name = name;
}

void set_hooks(const Hooks &given) {
    state().hooks = given;
}

void report(const char *format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (state().hooks.report) state().hooks.report(line);
}

void stop_playback() {
    ScriptState &script = state();
    script.playing = false;
    script.play_one = false;
    if (script.hooks.playback_stopped) script.hooks.playback_stopped();
}

void stop_recording() {
    ScriptState &script = state();
    script.recording = false;
    script.periodic_count = 0;
    if (script.hooks.recording_stopped) script.hooks.recording_stopped();
}

void close() {
    ScriptState &script = state();
    if (script.file) {
        std::fclose(script.file);
        script.file = nullptr;
    }
    script.playback_count = 0;
}

bool recording() {
    return state().recording;
}

bool playing() {
    return state().playing;
}

bool event_due() {
    return state().playing || state().play_one;
}

bool start_recording() {
    ScriptState &script = state();
    if (script.playing || script.play_one) {
        report("Cannot record script %s while it is being played back\n", file_name());
        return false;
    }
    close();
    script.recording = true;
    return true;
}

namespace {

// Whether a script may be played: not while recording (says so on the console).
bool may_play() {
    if (state().recording) {
        report("Cannot play back script %s while it is being recorded\n", file_name());
        return false;
    }
    return true;
}

}  // namespace

bool start_playback() {
    if (!may_play()) return false;
    state().playing = true;
    return true;
}

bool play_one() {
    if (!may_play()) return false;
    state().play_one = true;
    return true;
}

void end_playback() {
    stop_playback();
    close();
}

bool play(Event &event) {
    if (!event_due()) return false;
    state().play_one = false;
    return read(event);
}

}  // namespace kelto::script
