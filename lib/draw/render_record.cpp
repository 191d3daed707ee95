// The renderer: maps a record's program coordinates to canvas pixels and
// draws it with the raster primitives and the drawing font, and tells which
// part of the image that may have changed.
#include <algorithm>
#include <initializer_list>
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

// The part of the image within reach of a shape through these points drawn
// with this pen: a wide pen covers pixels whose centres lie within width / 2
// of the path (taken half a pixel up and to the left for even widths).
Rect within_reach(const Image &image, std::initializer_list<raster::PixelPoint> points, int width) {
    const int64_t grow = width > 1 ? width / 2 + 1 : 0;
    int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    for (const raster::PixelPoint p : points) {
        left = std::min(left, p.x), top = std::min(top, p.y);
        right = std::max(right, p.x), bottom = std::max(bottom, p.y);
    }
    const auto clip = [](int64_t v, int extent) {
        return static_cast<int>(std::clamp<int64_t>(v, 0, extent));
    };
    return {clip(left - grow, image.width), clip(top - grow, image.height),
            clip(right + grow + 1, image.width), clip(bottom + grow + 1, image.height)};
}

// Lines split at '\n' (empty ones kept); line i has its cell top at the
// anchor's row + (i - 1) * h, so the first line stands on the anchor.
Rect render_text(Image &surface, raster::PixelPoint anchor, int size, std::string_view text,
                 uint32_t color) {
    text::FontLibrary &library = text::fonts();
    const int64_t h = library.metrics(text::Face::Sans, size).height;
    int64_t top = anchor.y - h;
    Rect painted;
    for (;;) {
        const std::size_t end = text.find('\n');
        painted = painted.united(library.draw(surface, text::Face::Sans, size, anchor.x, top,
                                              text.substr(0, end), color));
        if (end == std::string_view::npos) return painted;
        text.remove_prefix(end + 1);
        top += h;
    }
}

}  // namespace

Rect render_filled_box(Surface &surface, const DrawRecord &record) {
    if (surface.width() <= 0 || surface.height() <= 0) return {};
    const Canvas at_origin{nullptr, surface.origin_x(), surface.origin_y()};
    const raster::PixelPoint a = to_pixel(at_origin, record.points[0]);
    const raster::PixelPoint b = to_pixel(at_origin, record.points[1]);
    const Rect area = raster::box_area(surface.width(), surface.height(), a.x, a.y, b.x, b.y);
    if (area.empty()) return {};
    surface.fill_box(area, palette_value(record.color));
    return area;
}

Rect render_shape(const Canvas &canvas, const DrawRecord &record) {
    if (canvas.image == nullptr || canvas.image->pixels.empty()) return {};
    Image &surface = *canvas.image;
    const uint32_t c = palette_value(record.color);
    const raster::PixelPoint p1 = to_pixel(canvas, record.points[0]);
    const raster::PixelPoint p2 = to_pixel(canvas, record.points[1]);
    switch (record.kind) {
        case DRAW_TRIANGLE: {
            const raster::PixelPoint p3 = to_pixel(canvas, record.points[2]);
            const raster::PixelPoint corners[] = {p1, p2, p3};
            if (record.width == 0)
                raster::fill_polygon(surface, corners, 3, c);
            else
                raster::polygon_outline(surface, corners, 3, record.width, c);
            return within_reach(surface, {p1, p2, p3}, record.width);
        }
        case DRAW_RECTANGLE:
            if (record.width == 0)
                raster::fill_box(surface, p1.x, p1.y, p2.x, p2.y, c);
            else
                raster::box_outline(surface, p1.x, p1.y, p2.x, p2.y, record.width, c);
            return within_reach(surface, {p1, p2}, record.width);
        case DRAW_OVAL:
            if (record.width == 0)
                raster::fill_ellipse(surface, p1.x, p1.y, p2.x, p2.y, c);
            else
                raster::ellipse_outline(surface, p1.x, p1.y, p2.x, p2.y, record.width, c);
            return within_reach(surface, {p1, p2}, record.width);
        case DRAW_LINE: {
            const int width = record.width > 1 ? record.width : 1;
            raster::line(surface, p1, p2, width, c);
            return within_reach(surface, {p1, p2}, width);
        }
        case DRAW_PIXEL: return render_pixel(canvas, record.points[0], record.color);
        case DRAW_TEXT:
            return render_text(surface, p1, record.size, record.text ? record.text : "", c);
        default: return {};
    }
}

}  // namespace kelto::draw
