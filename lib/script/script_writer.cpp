// The script recorder: one line per recorded event, each written to the file
// whole or not at all before the call returns, so that a recording survives
// the program being killed and never ends in part of a line; runs of
// periodic events folded into one line with their count.
#include <cstdio>
#include <string>

#include "script/report.h"
#include "script/script.h"
#include "script/script_file.h"
#include "script/script_line.h"

namespace kelto::script {

namespace {

// Makes sure a stream is open for the next line; false when there is none.
// A file deleted while it was being written is let go and a new one of its
// name is started, so that what follows is kept.
bool stream_for_next_line(ScriptState &script) {
    WriteStart start = WriteStart::Empty;
    if (script.file && is_deleted(script.file)) {
        report("Script file %s was deleted while recording; recording goes on in a new file\n",
               file_name());
        std::fclose(script.file);
        script.file = nullptr;
        // Whatever now has the name is added to, never emptied.
        start = WriteStart::AtEnd;
    }
    if (script.file) return true;
    const OpenedFile opened = open_for_writing(file_name(), start);
    switch (opened.outcome) {
        case OpenOutcome::Opened: script.file = opened.file; return true;
        case OpenOutcome::NotRegular:
            report("Cannot record script %s: it is not a regular file\n", file_name());
            stop_recording();
            return false;
        case OpenOutcome::Failed:
            // Recording stays on: the next recorded event tries again.
            report("Cannot open script file %s for writing\n", file_name());
            return false;
    }
    return false;
}

// Writes the pending run of periodic events, if there is one.
void write_pending_run(ScriptState &script) {
    if (script.periodic_count <= 0) return;
    write(EventKind::Periodic, 0, 0, 0);
    script.periodic_count = 0;
}

}  // namespace

void write(EventKind kind, int x, int y, signed char key) {
    ScriptState &script = state();
    if (!stream_for_next_line(script)) return;
    const std::string line = event_line(kind, x, y, key, script.periodic_count);
    if (!line.empty() && !write_whole(script.file, line))
        report("Cannot write to script file %s\n", file_name());
}

void record(const Event &event) {
    ScriptState &script = state();
    if (!script.recording) return;
    if (event.kind == EventKind::Periodic) {
        ++script.periodic_count;
        return;
    }
    write_pending_run(script);
    // Writing the run may have found that the file can never be recorded to.
    if (script.recording) write(event.kind, event.x, event.y, event.key);
}

void end_recording() {
    write_pending_run(state());
    close();
    stop_recording();
}

}  // namespace kelto::script
