// The script recorder and player: events to and from the file "KELTO.SCR".
#pragma once

namespace kelto {

// Writes the line for one event; for KELTO_PERIODIC the count pending in the recorder.
void KELTO_script_write(int kind, int x, int y, signed char key);
// Produces the next scripted event into the event fields; 0 when there is none
// (playback has then been stopped).
int KELTO_script_read();
// Clears the playback flags and the Playback check mark.
void KELTO_script_stop_playback();
// Closes the script stream if one is open.
void KELTO_script_close();

}  // namespace kelto
