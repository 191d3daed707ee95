// The point forms of the shape calls: circle, triangle, rectangle, oval and
// line. Each checks its arguments in its own order, logs its sentence when
// logging is on, and renders one record.
#include <algorithm>
#include <climits>
#include <utility>

#include "api/before_open.h"
#include "api/corrections.h"
#include "api/render.h"
#include "draw/palette.h"
#include "events/events.h"
#include "kelto.h"

namespace kelto {

namespace {

using draw::palette_name;

bool logging() {
    return events::state().logging;
}

// The sum coordinate + offset, held at the int range instead of overflowing.
int clamped_sum(int coordinate, int64_t offset) {
    return static_cast<int>(std::clamp<int64_t>(coordinate + offset, INT_MIN, INT_MAX));
}

// Corner 1 becomes the top-left one (smaller x, larger y), corner 2 the bottom-right one.
void normalise_corners(Point &p1, Point &p2) {
    if (p1.x > p2.x) std::swap(p1.x, p2.x);
    if (p1.y < p2.y) std::swap(p1.y, p2.y);
}

int render(draw::DrawKind kind, int color, int width, Point p1, Point p2 = {}, Point p3 = {}) {
    draw::DrawRecord record;
    record.kind = kind;
    record.color = color;
    record.width = width;
    record.points[0] = to_draw_point(p1);
    record.points[1] = to_draw_point(p2);
    record.points[2] = to_draw_point(p3);
    render_on_surface(record);
    return 1;
}

}  // namespace

}  // namespace kelto

using namespace kelto;

extern "C" int KELTO_circle_pt(int color, Point centre, int radius) {
    hint_unless_open(EarlyCall::Circle, "KELTO_circle_pt");
    color = check_color(color);
    radius = check_radius(radius);
    if (logging())
        KELTO_printf("%s circle at (%d,%d), radius %d\n", palette_name(color), centre.x, centre.y,
                     radius);
    const Point top_left{clamped_sum(centre.x, -int64_t{radius}), clamped_sum(centre.y, radius)};
    const Point bottom_right{clamped_sum(centre.x, radius),
                             clamped_sum(centre.y, -int64_t{radius})};
    return render(draw::DRAW_OVAL, color, 0, top_left, bottom_right);
}

extern "C" int KELTO_triangle_pt(int color, Point p1, Point p2, Point p3, int width) {
    hint_unless_open(EarlyCall::Triangle, "KELTO_triangle_pt");
    color = check_color(color);
    width = check_width(width);
    if (logging())
        KELTO_printf("%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", palette_name(color), p1.x, p1.y,
                     p2.x, p2.y, p3.x, p3.y);
    return render(draw::DRAW_TRIANGLE, color, width, p1, p2, p3);
}

extern "C" int KELTO_rectangle_pt(int color, Point p1, Point p2, int width) {
    hint_unless_open(EarlyCall::Rectangle, "KELTO_rectangle_pt");
    normalise_corners(p1, p2);
    color = check_color(color);
    width = check_width(width);
    if (logging()) {
        if (width > 0)
            KELTO_printf("%s rectangle with bounding box (%d,%d) to (%d,%d) with line width %d\n",
                         palette_name(color), p1.x, p1.y, p2.x, p2.y, width);
        else
            KELTO_printf("%s rectangle with bounding box (%d,%d) to (%d,%d), filled\n",
                         palette_name(color), p1.x, p1.y, p2.x, p2.y);
    }
    return render(draw::DRAW_RECTANGLE, color, width, p1, p2);
}

extern "C" int KELTO_oval_pt(int color, Point p1, Point p2, int width) {
    hint_unless_open(EarlyCall::Oval, "KELTO_oval_pt");
    normalise_corners(p1, p2);
    width = check_width(width);
    color = check_color(color);
    if (logging()) {
        if (width > 0)
            KELTO_printf("%s oval with bounding box (%d,%d) to (%d,%d), line width %d\n",
                         palette_name(color), p1.x, p1.y, p2.x, p2.y, width);
        else
            KELTO_printf("%s oval with bounding box (%d,%d) to (%d,%d), filled\n",
                         palette_name(color), p1.x, p1.y, p2.x, p2.y);
    }
    return render(draw::DRAW_OVAL, color, width, p1, p2);
}

extern "C" int KELTO_line_pt(int color, Point p1, Point p2, int width) {
    hint_unless_open(EarlyCall::Line, "KELTO_line_pt");
    width = check_width(width);
    color = check_color(color);
    if (logging())
        KELTO_printf("%s line from (%d,%d) to (%d,%d), width %d\n", palette_name(color), p1.x, p1.y,
                     p2.x, p2.y, width);
    return render(draw::DRAW_LINE, color, std::max(width, 1), p1, p2);
}
