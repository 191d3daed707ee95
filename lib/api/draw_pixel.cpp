// The pixel call in both forms: the cheapest drawing call and the one a
// plotting loop makes most. It takes the steps of every drawing call (check
// the colour, log, render the pixel record). The usual call, with a palette
// colour and logging off, prints nothing, and its steps are all inline, so
// that it needs no stack frame; every other call goes out of line. Both
// forms share that inline body, so that a hint names the form called.
#include "api/before_open.h"
#include "api/corrections.h"
#include "draw/draw_record.h"
#include "draw/palette.h"
#include "events/events.h"
#include "kelto.h"

namespace {

using namespace kelto;

[[gnu::always_inline]] inline int plot(draw::Surface &surface, int color, Point p) {
    surface.mark_changed(draw::render_pixel(surface.canvas(), draw::Point{p.x, p.y}, color));
    return 1;
}

[[gnu::noinline]] int pixel_with_messages(int color, Point p, const char *name) {
    hint_unless_open(EarlyCall::Pixel, name);
    events::EventState &events = events::state();
    color = check_color(color);
    if (events.logging) KELTO_printf("%s pixel at (%d,%d)\n", draw::palette_name(color), p.x, p.y);
    return plot(events::drawing_surface(), color, p);
}

// The state, once made, is read without a call. Before KELTO_open logging
// is always on (nothing can switch it off yet), so an early call always
// takes the way out of line, which hints; so does the first call after it,
// which shows the windows KELTO_open held back.
[[gnu::always_inline]] inline int pixel(int color, Point p, const char *name) {
    events::EventState *const events = events::state_instance;
    if (events == nullptr || !draw::is_palette_index(color) || events->logging ||
        events->windows_held)
        return pixel_with_messages(color, p, name);
    return plot(events->surface, color, p);
}

}  // namespace

extern "C" int KELTO_pixel_pt(int color, Point p) {
    return pixel(color, p, "KELTO_pixel_pt");
}

// The integer form packs its coordinates into a Point.
extern "C" int KELTO_pixel(int color, int x, int y) {
    return pixel(color, Point{x, y}, "KELTO_pixel");
}
