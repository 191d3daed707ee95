// KELTO_open and KELTO_close.
#include "events/events.h"
#include "kelto.h"

extern "C" int KELTO_open(KeltoInstance instance, KeltoInstance previous_instance, char *,
                          int show_state) {
    kelto::events::open(instance, previous_instance, show_state);
    return 1;
}

extern "C" int KELTO_close(void) {
    kelto::events::close();
    return 1;
}
