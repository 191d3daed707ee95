// The script module's state and hooks, and switching scripts on and off:
// stopping playback and recording, closing the script file, and keeping
// recording and playback from running at the same time.
#include <cstdarg>
#include <cstdio>

#include "script/report.h"
#include "script/script.h"

namespace kelto::script {

namespace {

Hooks &hooks() {
    static Hooks installed;
    return installed;
}

}  // namespace

ScriptState &state() {
    static ScriptState script;
    return script;
}

void set_hooks(const Hooks &given) {
    hooks() = given;
}

void report(const char *format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (hooks().report) hooks().report(line);
}

void stop_playback() {
    ScriptState &script = state();
    script.playing = false;
    script.play_one = false;
    if (hooks().playback_stopped) hooks().playback_stopped();
}

void stop_recording() {
    ScriptState &script = state();
    script.recording = false;
    script.periodic_count = 0;
    if (hooks().recording_stopped) hooks().recording_stopped();
}

void close() {
    ScriptState &script = state();
    if (script.file) {
        std::fclose(script.file);
        script.file = nullptr;
    }
    script.playback_count = 0;
}

bool begin_recording() {
    const ScriptState &script = state();
    if (script.playing || script.play_one) {
        report("Cannot record script %s while it is being played back\n", kScriptFileName);
        return false;
    }
    close();
    return true;
}

bool may_play() {
    if (state().recording) {
        report("Cannot play back script %s while it is being recorded\n", kScriptFileName);
        return false;
    }
    return true;
}

}  // namespace kelto::script
