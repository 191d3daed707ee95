// The event wait, run control, and the logging and text-window switches.
#include "api/before_open.h"
#include "console/console.h"
#include "events/events.h"
#include "kelto.h"

namespace {

using kelto::script::EventKind;
static_assert(static_cast<int>(EventKind::Mouse) == KELTO_MOUSE);
static_assert(static_cast<int>(EventKind::Key) == KELTO_KBD);
static_assert(static_cast<int>(EventKind::Periodic) == KELTO_PERIODIC);
static_assert(static_cast<int>(EventKind::Quit) == KELTO_QUIT);

}  // namespace

extern "C" int KELTO_await_event(int *x, int *y, char *key) {
    kelto::hint_unless_open(kelto::EarlyCall::AwaitEvent, "KELTO_await_event");
    const kelto::script::Event event = kelto::events::await_event();
    if (x) *x = event.x;
    if (y) *y = event.y;
    if (key) *key = static_cast<char>(event.key);
    return static_cast<int>(event.kind);
}

extern "C" int KELTO_run_control(int code) {
    using namespace kelto;
    if (!events::is_open()) return 0;
    switch (code) {
        case RUN_HALT: events::halt(); break;
        case RUN_ONE_FRAME: events::one_frame(); break;
        case RUN_ANIMATE: events::animate(); break;
        case RUN_QUIT: events::request_quit(); break;
        default: break;
    }
    return 1;
}

extern "C" int KELTO_logging(int on) {
    using namespace kelto;
    if (!events::is_open()) return 0;
    events::set_logging(on != 0);
    if (on) KELTO_show_text(1);
    return 1;
}

extern "C" int KELTO_show_text(int show) {
    return kelto::console::show_text_window(show != 0) ? 1 : 0;
}
