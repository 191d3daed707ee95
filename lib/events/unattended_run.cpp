// Unattended runs: the script switched on at the first wait, then a set
// number of periodic events, then quit.
#include "events/unattended_run.h"

#include "events/graphics_window.h"
#include "script/script.h"

namespace kelto::events {

void run_unattended(const UnattendedRun &run) {
    state().unattended = run;
}

void begin_unattended_wait(UnattendedRun &run) {
    if (run.started) return;
    run.started = true;
    run_command(CMD_PLAYBACK);
}

bool script_over() {
    return !script::event_due();
}

void unattended_event(UnattendedRun &run, script::Event &event) {
    if (run.ticks > 0) {
        --run.ticks;
        event.kind = script::EventKind::Periodic;
        return;
    }
    event = script::Event{};
    event.kind = script::EventKind::Quit;
    if (++run.quits_handed_out > UnattendedRun::kQuitsBeforeStop && run.kept_waiting)
        run.kept_waiting();
}

}  // namespace kelto::events
