// Argument corrections of the drawing calls: each prints its message to the
// text console and returns the value drawing goes on with.
#pragma once

#include "draw/palette.h"

namespace kelto {

constexpr int kMaxTextSize = 127;

// Prints "Illegal color %d; using RED.\n" and returns RED.
int replace_color(int color);

// Returns `color` if it is a palette index; otherwise replace_color(color).
inline int check_color(int color) {
    return draw::is_palette_index(color) ? color : replace_color(color);
}

// A negative width becomes its absolute value.
int check_width(int width);
// A negative radius becomes its absolute value.
int check_radius(int radius);
// A negative text size becomes its absolute value, then anything above 127 becomes 127.
int check_size(int size);

}  // namespace kelto
