// What one KELTO_await_event hands out, taken in one call.
#pragma once

#include "kelto.h"

namespace kelto::test {

struct Event {
    int kind = 0;
    int x = 0;
    int y = 0;
    char key = 0;
};

inline Event await_event() {
    Event event;
    event.kind = KELTO_await_event(&event.x, &event.y, &event.key);
    return event;
}

}  // namespace kelto::test
