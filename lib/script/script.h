// The script recorder and player: events to and from the file "KELTO.SCR" in
// the current directory, one line per event.
#pragma once

namespace kelto {

// The one script file, in the current directory.
inline constexpr const char *kScriptFileName = "KELTO.SCR";

// Writes the line for one event (kinds KELTO_MOUSE, KELTO_KBD, KELTO_PERIODIC;
// others write nothing); for KELTO_PERIODIC the count pending in the recorder.
// Opens the file for writing, emptying it, if no stream is open; each line
// reaches the file before the call returns.
void KELTO_script_write(int kind, int x, int y, signed char key);
// Produces the next scripted event into the event fields and returns 1; returns
// 0 when there is none (playback has then been stopped).
int KELTO_script_read();
// Clears the playback flags and the Playback check mark.
void KELTO_script_stop_playback();
// Closes the script stream if one is open and drops periodic events still owed
// by the last line played, so the next read starts at the first line and the
// next write starts a fresh file.
void KELTO_script_close();

// Whether recording may be switched on: not while a script plays (says so on
// the console). When it may, a stream left open by playback is closed so the
// recording starts a fresh file.
bool script_begin_recording();
// Whether playback may be switched on: not while recording (says so on the console).
bool script_may_play();

}  // namespace kelto
