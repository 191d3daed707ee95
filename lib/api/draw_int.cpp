// The integer forms of the drawing calls: each packs its coordinates into
// Points and calls the point form (first hinting, under its own name, when
// it comes before KELTO_open). The pixel call's lives beside its point
// form (draw_pixel.cpp), where the two share one inline body.
#include <cstdarg>

#include "api/before_open.h"
#include "api/format_buffer.h"
#include "kelto.h"

extern "C" int KELTO_circle(int color, int x, int y, int radius) {
    kelto::hint_unless_open(kelto::EarlyCall::Circle, "KELTO_circle");
    return KELTO_circle_pt(color, Point{x, y}, radius);
}

extern "C" int KELTO_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3,
                              int width) {
    kelto::hint_unless_open(kelto::EarlyCall::Triangle, "KELTO_triangle");
    return KELTO_triangle_pt(color, Point{x1, y1}, Point{x2, y2}, Point{x3, y3}, width);
}

extern "C" int KELTO_rectangle(int color, int x1, int y1, int x2, int y2, int width) {
    kelto::hint_unless_open(kelto::EarlyCall::Rectangle, "KELTO_rectangle");
    return KELTO_rectangle_pt(color, Point{x1, y1}, Point{x2, y2}, width);
}

extern "C" int KELTO_oval(int color, int x1, int y1, int x2, int y2, int width) {
    kelto::hint_unless_open(kelto::EarlyCall::Oval, "KELTO_oval");
    return KELTO_oval_pt(color, Point{x1, y1}, Point{x2, y2}, width);
}

extern "C" int KELTO_line(int color, int x1, int y1, int x2, int y2, int width) {
    kelto::hint_unless_open(kelto::EarlyCall::Line, "KELTO_line");
    return KELTO_line_pt(color, Point{x1, y1}, Point{x2, y2}, width);
}

extern "C" int KELTO_text(int color, int x, int y, int size, const char *text) {
    kelto::hint_unless_open(kelto::EarlyCall::Text, "KELTO_text");
    return KELTO_text_pt(color, Point{x, y}, size, text);
}

extern "C" int KELTO_text_printf(int color, int x, int y, int size, const char *format, ...) {
    kelto::hint_unless_open(kelto::EarlyCall::Text, "KELTO_text_printf");
    char buffer[kelto::kFormatBufferSize];
    va_list args;
    va_start(args, format);
    const int count = kelto::format_into(buffer, format, args);
    va_end(args);
    KELTO_text(color, x, y, size, buffer);
    return count;
}
