// The point forms of the text calls: plain text and formatted text.
#include <cstdarg>

#include "api/before_open.h"
#include "api/corrections.h"
#include "api/format_buffer.h"
#include "api/render.h"
#include "draw/palette.h"
#include "events/events.h"
#include "kelto.h"

using namespace kelto;

// A null string is drawn as the empty string.
extern "C" int KELTO_text_pt(int color, Point anchor, int size, const char *text) {
    hint_unless_open(EarlyCall::Text, "KELTO_text_pt");
    size = check_size(size);
    color = check_color(color);
    if (text == nullptr) text = "";
    if (events::state().logging)
        KELTO_printf("%s text at (%d,%d), \"%s\"\n", draw::palette_name(color), anchor.x, anchor.y,
                     text);
    draw::DrawRecord record;
    record.kind = draw::DRAW_TEXT;
    record.color = color;
    record.points[0] = to_draw_point(anchor);
    record.size = size;
    record.text = text;
    render_on_surface(record);
    return 1;
}

extern "C" int KELTO_text_printf_pt(int color, Point anchor, int size, const char *format, ...) {
    hint_unless_open(EarlyCall::Text, "KELTO_text_printf_pt");
    char buffer[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    const int count = format_into(buffer, format, args);
    va_end(args);
    KELTO_text_pt(color, anchor, size, buffer);
    return count;
}
