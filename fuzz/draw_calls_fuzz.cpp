// Fuzz target for the drawing calls and the console: a run of calls, each
// drawing call in its integer or its point form, with any ints (the extremes
// often) and any text, console lines printed with any text, and logging
// switched on and off between them, into the library open on the headless
// display. Nothing may crash, hang, leak or touch memory out of bounds,
// whatever a program passes in.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"

namespace {

// Keeps one input's work small enough for many inputs a second.
constexpr int kMaxCallsPerInput = 32;
// Texts reach past the 1023 characters a formatted call or a console line holds.
constexpr std::size_t kMaxTextLength = 2100;
constexpr std::size_t kMaxRepeats = 300;

// Any int, with the values that break arithmetic coming up often.
int any_int(FuzzedDataProvider &data) {
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return data.PickValueInArray({INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX});
        case 1: return data.ConsumeIntegralInRange(-1000, 1000);
        default: return data.ConsumeIntegral<int>();
    }
}

Point any_point(FuzzedDataProvider &data) {
    const int x = any_int(data);
    return Point{x, any_int(data)};
}

// Any text: a piece of the input repeated, so that short inputs give long texts too.
std::string any_text(FuzzedDataProvider &data) {
    const std::string piece = data.ConsumeRandomLengthString(kMaxTextLength);
    std::size_t repeats = data.ConsumeIntegralInRange<std::size_t>(1, kMaxRepeats);
    std::string text;
    while (repeats-- > 0 && text.size() + piece.size() <= kMaxTextLength) text += piece;
    return text;
}

// Calls one drawing operation, the integer form or the point form.
void draw_one(FuzzedDataProvider &data) {
    const int color = any_int(data);
    const bool point_form = data.ConsumeBool();
    switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0: {
            const Point p = any_point(data);
            if (point_form)
                KELTO_pixel_pt(color, p);
            else
                KELTO_pixel(color, p.x, p.y);
            break;
        }
        case 1: {
            const Point centre = any_point(data);
            const int radius = any_int(data);
            if (point_form)
                KELTO_circle_pt(color, centre, radius);
            else
                KELTO_circle(color, centre.x, centre.y, radius);
            break;
        }
        case 2: {
            const Point p1 = any_point(data), p2 = any_point(data), p3 = any_point(data);
            const int width = any_int(data);
            if (point_form)
                KELTO_triangle_pt(color, p1, p2, p3, width);
            else
                KELTO_triangle(color, p1.x, p1.y, p2.x, p2.y, p3.x, p3.y, width);
            break;
        }
        case 3: {
            const Point p1 = any_point(data), p2 = any_point(data);
            const int width = any_int(data);
            if (point_form)
                KELTO_rectangle_pt(color, p1, p2, width);
            else
                KELTO_rectangle(color, p1.x, p1.y, p2.x, p2.y, width);
            break;
        }
        case 4: {
            const Point p1 = any_point(data), p2 = any_point(data);
            const int width = any_int(data);
            if (point_form)
                KELTO_oval_pt(color, p1, p2, width);
            else
                KELTO_oval(color, p1.x, p1.y, p2.x, p2.y, width);
            break;
        }
        case 5: {
            const Point p1 = any_point(data), p2 = any_point(data);
            const int width = any_int(data);
            if (point_form)
                KELTO_line_pt(color, p1, p2, width);
            else
                KELTO_line(color, p1.x, p1.y, p2.x, p2.y, width);
            break;
        }
        case 6: {
            const Point anchor = any_point(data);
            const int size = any_int(data);
            const std::string text = any_text(data);
            if (point_form)
                KELTO_text_pt(color, anchor, size, text.c_str());
            else
                KELTO_text(color, anchor.x, anchor.y, size, text.c_str());
            break;
        }
        default: {
            // The formatted forms, with the text as an argument, never as the format.
            const Point anchor = any_point(data);
            const int size = any_int(data);
            const int number = any_int(data);
            const std::string text = any_text(data);
            if (point_form)
                KELTO_text_printf_pt(color, anchor, size, "%d %s", number, text.c_str());
            else
                KELTO_text_printf(color, anchor.x, anchor.y, size, "%s %d", text.c_str(), number);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    kelto::platform::use_headless_display();
    KELTO_open(nullptr, nullptr, nullptr, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    for (int call = 0; call < kMaxCallsPerInput && data.remaining_bytes() > 0; ++call) {
        switch (data.ConsumeIntegralInRange(0, 10)) {
            case 0: KELTO_logging(data.ConsumeBool() ? 1 : 0); break;
            case 1: KELTO_clear(); break;
            // Any bytes as the argument of the format, never as the format.
            case 2: KELTO_printf("%s", any_text(data).c_str()); break;
            default: draw_one(data); break;
        }
    }
    return 0;
}
