// The script recorder and player: events to and from the file "KELTO.SCR" in
// the current directory, one line per event. The module owns the script's
// part of the library's state and tells the rest of the library what it must
// know through the hooks it is given.
#pragma once

#include <cstdio>
#include <string>

#include "script/event.h"

namespace kelto::script {

// The script file, in the current directory, unless the replay runner
// names another with set_file_name.
inline constexpr const char *kScriptFileName = "KELTO.SCR";

// How the module reaches the rest of the library; either may be null.
struct Hooks {
    // Shows one line (ending in a newline) on the console.
    void (*report)(const char *line) = nullptr;
    // Playback has been switched off (its check mark goes).
    void (*playback_stopped)() = nullptr;
    // Recording has been switched off (its check mark goes).
    void (*recording_stopped)() = nullptr;
};

// The module's part of the library's state.
struct ScriptState {
    bool recording = false;
    bool playing = false;
    bool play_one = false;
    // The recorder's run of periodic events returned and not yet written.
    int periodic_count = 0;
    // The player's periodic events still owed by the last periodic line read.
    int playback_count = 0;
    // Open for writing while recording, for reading while playing.
    std::FILE *file = nullptr;
    std::string file_name = kScriptFileName;
    Hooks hooks;
};

// Made on first use and never destroyed.
ScriptState &state();

// The script file's name; console lines name it too.
const char *file_name();
void set_file_name(const char *name);

void set_hooks(const Hooks &hooks);

// Writes the line for one event (mouse, key, periodic; others write nothing);
// for a periodic event the count pending in the recorder. Opens the file for
// writing, emptying it, if no stream is open; each line reaches the file
// whole, or not at all, before the call returns. A script file that is not a
// regular file switches recording off.
void write(EventKind kind, int x, int y, signed char key);
// Records an event the wait hands out, while recording: a periodic one joins
// the pending run; any other first writes the pending run, then its own line.
void record(const Event &event);
// Clears the recording flag and the pending run, and tells the
// recording_stopped hook.
void stop_recording();

// Reads the next scripted event into `event` (only the fields its line gives)
// and returns true; false when there is none (playback has then been stopped).
// A last line without its newline is played only if it is a complete event
// line. A script file that is not a regular file is not played.
bool read(Event &event);
// Clears the playback flags and tells the playback_stopped hook.
void stop_playback();
// Closes the script stream if one is open and drops periodic events still owed
// by the last line played, so the next read starts at the first line and the
// next write starts a fresh file.
void close();

// ---- Switching scripts on and off

bool recording();
// Whether playback is on (the "&Playback Script" command).
bool playing();
// Whether the wait is to take its event from the script: playback is on, or
// one scripted event was asked for.
bool event_due();

// Switches recording on, unless a script plays (says so on the console); a
// stream left open by playback is closed, so the recording starts a fresh
// file. Returns whether recording is on.
bool start_recording();
// Switches recording off: writes the pending run, closes the file and tells
// the recording_stopped hook.
void end_recording();
// Switches playback on, unless recording (says so on the console). Returns
// whether playback is on.
bool start_playback();
// Asks for the next scripted event only, unless recording (says so).
// Returns whether it was asked for.
bool play_one();
// Switches playback off and closes the file, so the next playback starts at
// the first line; tells the playback_stopped hook.
void end_playback();
// When an event is due from the script, reads it into `event` (only the
// fields its line gives) and returns true; false when none is due, or when
// the script has none left (playback has then been switched off).
bool play(Event &event);

}  // namespace kelto::script
