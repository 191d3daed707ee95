// How the drawing calls hand a corrected record to the renderer.
#pragma once

#include "draw/draw_record.h"
#include "events/events.h"
#include "kelto.h"

namespace kelto {

inline draw::Point to_draw_point(Point p) {
    return draw::Point{p.x, p.y};
}

// Renders the record on the surface (nothing before the library is open),
// which marks itself changed where the record touched it.
inline void render_on_surface(const draw::DrawRecord &record) {
    draw::render(events::drawing_surface(), record);
}

}  // namespace kelto
