// The renderer: maps a record's program coordinates to canvas pixels and
// draws it with the raster primitives and the drawing font.
#include <string_view>

#include "draw/draw_record.h"
#include "draw/fonts.h"
#include "draw/palette.h"
#include "draw/raster.h"

namespace kelto::draw {

namespace {

// 64-bit arithmetic keeps every int coordinate exact.
raster::PixelPoint to_pixel(const Canvas &canvas, Point p) {
    return {int64_t{canvas.origin_x} + p.x, int64_t{canvas.origin_y} - p.y};
}

// Lines split at '\n' (empty ones kept); line i has its cell top at the
// anchor's row + (i - 1) * h, so the first line stands on the anchor.
void render_text(Image &surface, raster::PixelPoint anchor, int size, std::string_view text,
                 uint32_t color) {
    text::FontLibrary &library = text::fonts();
    const int64_t h = library.metrics(text::Face::Sans, size).height;
    int64_t top = anchor.y - h;
    for (;;) {
        const std::size_t end = text.find('\n');
        library.draw(surface, text::Face::Sans, size, anchor.x, top, text.substr(0, end), color);
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
        top += h;
    }
}

void render_shape(const Canvas &canvas, Image &surface, const DrawRecord &record) {
    const uint32_t c = palette_value(record.color);
    const raster::PixelPoint p1 = to_pixel(canvas, record.points[0]);
    const raster::PixelPoint p2 = to_pixel(canvas, record.points[1]);
    switch (record.kind) {
        case DRAW_TRIANGLE: {
            const raster::PixelPoint corners[] = {p1, p2, to_pixel(canvas, record.points[2])};
            if (record.width == 0)
                raster::fill_polygon(surface, corners, 3, c);
            else
                raster::polygon_outline(surface, corners, 3, record.width, c);
            break;
        }
        case DRAW_RECTANGLE:
            if (record.width == 0)
                raster::fill_box(surface, p1.x, p1.y, p2.x, p2.y, c);
            else
                raster::box_outline(surface, p1.x, p1.y, p2.x, p2.y, record.width, c);
            break;
        case DRAW_OVAL:
            if (record.width == 0)
                raster::fill_ellipse(surface, p1.x, p1.y, p2.x, p2.y, c);
            else
                raster::ellipse_outline(surface, p1.x, p1.y, p2.x, p2.y, record.width, c);
            break;
        case DRAW_LINE:
            raster::line(surface, p1, p2, record.width > 1 ? record.width : 1, c);
            break;
        case DRAW_PIXEL: raster::set_pixel(surface, p1.x, p1.y, c); break;
        case DRAW_TEXT:
            render_text(surface, p1, record.size, record.text ? record.text : "", c);
            break;
        default: break;
    }
}

}  // namespace

void render_record(const Canvas &canvas, const DrawRecord &record) {
    if (canvas.image) render_shape(canvas, *canvas.image, record);
}

}  // namespace kelto::draw
