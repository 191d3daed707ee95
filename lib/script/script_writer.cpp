// The script recorder's writer: one line per recorded event, each flushed to
// the file at once so that a recording survives the program being killed.
#include <cstdio>

#include "events/lib_state.h"
#include "kelto.h"
#include "script/script.h"

namespace kelto {

namespace {

// Writes the event's line; returns whether the stream took it, or true for a
// kind that has no line.
bool write_line(std::FILE *file, int kind, int x, int y, signed char key, int periodic_count) {
    switch (kind) {
        case KELTO_MOUSE: return std::fprintf(file, "KELTO_MOUSE(%d, %d);\n", x, y) >= 0;
        case KELTO_KBD: return std::fprintf(file, "KELTO_KBD(%d);\n", static_cast<int>(key)) >= 0;
        case KELTO_PERIODIC:
            return std::fprintf(file, "KELTO_PERIODIC(%d);\n", periodic_count) >= 0;
        default: return true;
    }
}

}  // namespace

void KELTO_script_write(int kind, int x, int y, signed char key) {
    LibState &state = lib_state();
    if (!state.script_file) {
        state.script_file = std::fopen(kScriptFileName, "w");
        if (!state.script_file) {
            // Recording stays on: the next recorded event tries again.
            KELTO_printf("Cannot open script file %s for writing\n", kScriptFileName);
            return;
        }
    }
    const bool written = write_line(state.script_file, kind, x, y, key, state.periodic_count);
    if (std::fflush(state.script_file) != 0 || !written) {
        KELTO_printf("Cannot write to script file %s\n", kScriptFileName);
        std::clearerr(state.script_file);
    }
}

}  // namespace kelto
