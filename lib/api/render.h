// How the drawing calls hand a corrected record to the renderer.
#pragma once

#include "draw/draw_record.h"
#include "kelto.h"

namespace kelto {

inline draw::Point to_draw_point(Point p) {
    return draw::Point{p.x, p.y};
}

// Renders the record on the surface (nothing before the library is open) and
// marks the surface changed.
void render_on_surface(const draw::DrawRecord &record);

}  // namespace kelto
