// One event of the stream that the event wait hands out, the recorder writes
// and the player reads back. The kinds have the numbers programs see.
#pragma once

namespace kelto::script {

enum class EventKind : int {
    None = -1,  // no event yet; never handed out
    Mouse = 1,
    Key = 2,
    Periodic = 3,
    Quit = 4,
};

struct Event {
    EventKind kind = EventKind::None;
    int x = 0;  // mouse events: the point in centred coordinates
    int y = 0;
    signed char key = 0;  // key events: the character typed
};

}  // namespace kelto::script
