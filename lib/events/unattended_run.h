// The event wait's part in an unattended run (see events::UnattendedRun).
#pragma once

#include "events/events.h"

namespace kelto::events {

// At the first wait of the run: switches playback on.
void begin_unattended_wait(UnattendedRun &run);

// Whether the script is over, so that the run decides the event.
bool script_over();

// Produces the run's next event once the script is over: a periodic event
// while ticks are left, else a quit.
void unattended_event(UnattendedRun &run, script::Event &event);

}  // namespace kelto::events
