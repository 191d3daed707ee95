// The card designer's frame drawn with cairo on an image surface, with
// antialiasing off for shapes and text, as a peer. Pixels differ in detail
// (cairo's own coverage rules and font rendering); the work is the same.
#pragma once

#include <cairo.h>

#include <algorithm>

#include "draw/palette.h"
#include "support/card_frame.h"

namespace kelto::bench {

// A painter for CardFrame, drawing with a cairo context on an RGB24 surface.
class CairoCard {
public:
    // Program point (0, 0) is pixel (origin_x, origin_y), as on the surface.
    CairoCard(cairo_t *cairo, int origin_x, int origin_y)
        : cairo_(cairo), origin_x_(origin_x), origin_y_(origin_y) {
        cairo_set_antialias(cairo_, CAIRO_ANTIALIAS_NONE);
        cairo_set_line_cap(cairo_, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cairo_, CAIRO_LINE_JOIN_ROUND);
        cairo_font_options_t *options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(cairo_, options);
        cairo_font_options_destroy(options);
        cairo_select_font_face(cairo_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
    }

    void box(int index, int x1, int y1, int x2, int y2, int width) {
        use(index);
        const double left = origin_x_ + std::min(x1, x2), top = origin_y_ - std::max(y1, y2);
        const double across = std::abs(x2 - x1) + 1, down = std::abs(y2 - y1) + 1;
        if (width == 0) {
            cairo_rectangle(cairo_, left, top, across, down);
            cairo_fill(cairo_);
            return;
        }
        cairo_set_line_width(cairo_, width);
        cairo_rectangle(cairo_, left + 0.5, top + 0.5, across - 1, down - 1);
        cairo_stroke(cairo_);
    }

    void disc(int index, int x, int y, int r) {
        use(index);
        cairo_arc(cairo_, origin_x_ + x + 0.5, origin_y_ - y + 0.5, r + 0.5, 0,
                  2 * 3.14159265358979);
        cairo_fill(cairo_);
    }

    void triangle(int index, FramePoint a, FramePoint b, FramePoint c) {
        use(index);
        cairo_set_line_width(cairo_, 1);
        move_to(a), line_to(b), line_to(c);
        cairo_close_path(cairo_);
        cairo_fill_preserve(cairo_);
        cairo_stroke(cairo_);
    }

    void line(int index, int x1, int y1, int x2, int y2, int width) {
        use(index);
        cairo_set_line_width(cairo_, width);
        move_to({x1, y1}), line_to({x2, y2});
        cairo_stroke(cairo_);
    }

    // The first line stands on the anchor: its cell ends on the anchor's row.
    void text(int index, int x, int y, int size, const char *string) {
        use(index);
        cairo_set_font_size(cairo_, size > 0 ? size : 13);
        cairo_font_extents_t extents;
        cairo_font_extents(cairo_, &extents);
        cairo_move_to(cairo_, origin_x_ + x, origin_y_ - y - extents.descent);
        cairo_show_text(cairo_, string);
    }

private:
    void use(int index) {
        const uint32_t value = draw::palette_value(index);
        cairo_set_source_rgb(cairo_, ((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0,
                             (value & 0xFF) / 255.0);
    }
    // Pixel centres, so that one-pixel strokes fall on whole pixels.
    void move_to(FramePoint p) {
        cairo_move_to(cairo_, origin_x_ + p.x + 0.5, origin_y_ - p.y + 0.5);
    }
    void line_to(FramePoint p) {
        cairo_line_to(cairo_, origin_x_ + p.x + 0.5, origin_y_ - p.y + 0.5);
    }

    cairo_t *cairo_;
    int origin_x_;
    int origin_y_;
};

}  // namespace kelto::bench
