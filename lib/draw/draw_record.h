// The drawing record: one shape with its arguments already corrected, in
// program coordinates, and the renderer that draws it onto a canvas or the
// surface.
#pragma once

#include "draw/canvas.h"
#include "draw/palette.h"
#include "draw/surface.h"
#include "pixels/rect.h"

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

// Draws any record but a pixel; see render_record.
Rect render_shape(const Canvas &canvas, const DrawRecord &record);

// Draws a pixel record: the cheapest record and the most frequent in a
// plotting loop, so it is drawn here without a call, and the pixel call
// hands its point and colour straight to it.
inline Rect render_pixel(const Canvas &canvas, Point p, int color) {
    if (canvas.image == nullptr) return {};
    Image &image = *canvas.image;
    // In unsigned arithmetic a point off the image on any side, however far,
    // lands at or past its size, for any origin within 2^30 of the image.
    const unsigned x = static_cast<unsigned>(canvas.origin_x) + static_cast<unsigned>(p.x);
    const unsigned y = static_cast<unsigned>(canvas.origin_y) - static_cast<unsigned>(p.y);
    if (x >= static_cast<unsigned>(image.width) || y >= static_cast<unsigned>(image.height))
        return {};
    const int column = static_cast<int>(x), row = static_cast<int>(y);
    image.at(column, row) = palette_value(color);
    return {column, row, column + 1, row + 1};
}

// Draws the record onto the canvas (nothing without an image) and returns a
// rectangle of the image that holds every pixel it may have changed.
inline Rect render_record(const Canvas &canvas, const DrawRecord &record) {
    if (record.kind == DRAW_PIXEL) return render_pixel(canvas, record.points[0], record.color);
    return render_shape(canvas, record);
}

// Fills a filled rectangle's pixels on the surface, perhaps holding the
// box back (Surface::fill_box), and returns them.
Rect render_filled_box(Surface &surface, const DrawRecord &record);

// Draws the record onto the surface and marks the part it may have changed.
inline void render(Surface &surface, const DrawRecord &record) {
    if (record.kind == DRAW_RECTANGLE && record.width == 0) {
        surface.mark_changed(render_filled_box(surface, record));
        return;
    }
    surface.mark_changed(render_record(surface.canvas(), record));
}

}  // namespace kelto::draw
