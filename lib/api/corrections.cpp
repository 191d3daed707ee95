// Colour, width, radius and text size corrections. The absolute value of INT_MIN is
// no int, so INT_MIN becomes INT_MAX, and the message names that value.
#include "api/corrections.h"

#include <climits>

#include "draw/palette.h"
#include "kelto.h"

namespace kelto {

namespace {

int absolute(int value) {
    return value == INT_MIN ? INT_MAX : (value < 0 ? -value : value);
}

}  // namespace

int replace_color(int color) {
    KELTO_printf("Illegal color %d; using RED.\n", color);
    return RED;
}

int check_width(int width) {
    if (width >= 0) return width;
    KELTO_printf("Width of %d not possible, using width %d\n", width, absolute(width));
    return absolute(width);
}

int check_radius(int radius) {
    if (radius >= 0) return radius;
    KELTO_printf("Radius of %d not possible, using radius %d\n", radius, absolute(radius));
    return absolute(radius);
}

int check_size(int size) {
    if (size < 0) {
        KELTO_printf("ptsize of %d not possible, using ptsize %d\n", size, absolute(size));
        size = absolute(size);
    }
    if (size > kMaxTextSize) {
        KELTO_printf("ptsize of %d not possible, using ptsize %d\n", size, kMaxTextSize);
        size = kMaxTextSize;
    }
    return size;
}

}  // namespace kelto
