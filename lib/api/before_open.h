// Calls made before KELTO_open keep their behaviour (drawing draws nothing,
// the wait returns KELTO_QUIT at once), and the programmer is told once per
// call: a program that forgot KELTO_open otherwise ends without a word.
#pragma once

#include "events/events.h"

namespace kelto {

// The calls that hint. The integer and point forms of a call, and a
// formatted form with the plain one it calls, share one entry, so that one
// mistake gives one line.
enum class EarlyCall { Pixel, Circle, Triangle, Rectangle, Oval, Line, Text, Clear, AwaitEvent };

// Hints once per entry, naming the call the program made.
void hint_called_before_open(EarlyCall call, const char *name);

// Hints if the library is not open yet; costs the drawing calls one load
// and one test once it is.
inline void hint_unless_open(EarlyCall call, const char *name) {
    const events::EventState *const events = events::state_instance;
    if (events == nullptr || events->graphics_window == 0) hint_called_before_open(call, name);
}

}  // namespace kelto
