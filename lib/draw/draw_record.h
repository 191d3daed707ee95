// The drawing record: one shape with its arguments already corrected, in
// program coordinates, and the renderer that draws it into the surface.
#pragma once

#include "kelto.h"

namespace kelto {

enum DrawKind : int {
    DRAW_TRIANGLE = 0,
    DRAW_RECTANGLE = 1,
    DRAW_OVAL = 2,
    DRAW_LINE = 3,
    DRAW_PIXEL = 4,
    DRAW_TEXT = 5,
};

struct DrawRecord {
    int kind = DRAW_PIXEL;
    int color = 0;  // palette index 0..23
    // Pen width, never negative: 0 fills the shape, more strokes its outline.
    // Lines carry at least 1. Unused by pixels and text.
    int width = 0;
    // Triangle: the vertices. Rectangle and oval: top-left and bottom-right
    // corners of the box. Line: from, to. Pixel and text: the first only.
    Point points[3] = {};
    int size = 0;                // text: character height 0..127 (0: default)
    const char *text = nullptr;  // text: the string, owned by the caller
};

// Draws the record into the surface (nothing before the surface exists) and
// marks the surface changed.
void render_record(const DrawRecord &record);

// Erases the surface to white inside a one-pixel black frame and marks it changed.
void erase_surface();

}  // namespace kelto
