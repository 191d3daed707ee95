// KELTO_clear: erases the surface to white inside a thin black frame.
#include "draw/draw_record.h"
#include "draw/palette.h"
#include "draw/raster.h"
#include "events/lib_state.h"

namespace kelto {

void erase_surface() {
    LibState &state = lib_state();
    if (Image *surface = state.surface.get()) {
        const int right = surface->width - 1, bottom = surface->height - 1;
        raster::fill_box(*surface, 0, 0, right, bottom, palette_value(WHITE));
        raster::box_outline(*surface, 0, 0, right, bottom, 1, palette_value(BLACK));
    }
    state.surface_changed = 1;
}

}  // namespace kelto

extern "C" int KELTO_clear(void) {
    if (kelto::lib_state().logging) KELTO_printf("Clearing the graphics window\n");
    kelto::erase_surface();
    return 1;
}
