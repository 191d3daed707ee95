// The drawing record: one shape with its arguments already corrected, in
// program coordinates, and the renderer that draws it onto a canvas.
#pragma once

#include "draw/canvas.h"

namespace kelto::draw {

enum DrawKind : int {
    DRAW_TRIANGLE = 0,
    DRAW_RECTANGLE = 1,
    DRAW_OVAL = 2,
    DRAW_LINE = 3,
    DRAW_PIXEL = 4,
    DRAW_TEXT = 5,
};

struct DrawRecord {
    DrawKind kind = DRAW_PIXEL;
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

// Draws the record onto the canvas; nothing without an image.
void render_record(const Canvas &canvas, const DrawRecord &record);

}  // namespace kelto::draw
