// Rendering a drawing call's record on the surface.
#include "api/render.h"

#include "events/events.h"

namespace kelto {

void render_on_surface(const draw::DrawRecord &record) {
    draw::render_record(events::canvas(), record);
    events::mark_surface_changed();
}

}  // namespace kelto
