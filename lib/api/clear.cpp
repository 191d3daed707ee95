// KELTO_clear: erases the surface to white inside a thin black frame.
#include "api/before_open.h"
#include "events/events.h"
#include "kelto.h"

extern "C" int KELTO_clear(void) {
    using namespace kelto;
    hint_unless_open(EarlyCall::Clear, "KELTO_clear");
    if (events::state().logging) KELTO_printf("Clearing the graphics window\n");
    draw::Surface &surface = events::drawing_surface();
    draw::erase(surface.image());
    surface.mark_all_changed();
    return 1;
}
