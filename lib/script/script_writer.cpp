// The script recorder: one line per recorded event, each flushed to the file
// at once so that a recording survives the program being killed, and runs of
// periodic events folded into one line with their count.
#include <cstdio>

#include "script/report.h"
#include "script/script.h"

namespace kelto::script {

namespace {

// Writes the event's line; returns whether the stream took it, or true for a
// kind that has no line.
bool write_line(std::FILE *file, EventKind kind, int x, int y, signed char key,
                int periodic_count) {
    switch (kind) {
        case EventKind::Mouse: return std::fprintf(file, "KELTO_MOUSE(%d, %d);\n", x, y) >= 0;
        case EventKind::Key:
            return std::fprintf(file, "KELTO_KBD(%d);\n", static_cast<int>(key)) >= 0;
        case EventKind::Periodic:
            return std::fprintf(file, "KELTO_PERIODIC(%d);\n", periodic_count) >= 0;
        default: return true;
    }
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
    if (!script.file) {
        script.file = std::fopen(kScriptFileName, "w");
        if (!script.file) {
            // Recording stays on: the next recorded event tries again.
            report("Cannot open script file %s for writing\n", kScriptFileName);
            return;
        }
    }
    const bool written = write_line(script.file, kind, x, y, key, script.periodic_count);
    if (std::fflush(script.file) != 0 || !written) {
        report("Cannot write to script file %s\n", kScriptFileName);
        std::clearerr(script.file);
    }
}

void record(const Event &event) {
    ScriptState &script = state();
    if (event.kind == EventKind::Periodic) {
        ++script.periodic_count;
        return;
    }
    write_pending_run(script);
    write(event.kind, event.x, event.y, event.key);
}

void end_recording() {
    write_pending_run(state());
    close();
}

}  // namespace kelto::script
