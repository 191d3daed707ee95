// Argument corrections of the drawing calls: each prints its message to the
// text console and returns the value drawing goes on with.
#pragma once

namespace kelto {

constexpr int kMaxTextSize = 127;

// Returns `color` if it is a palette index; otherwise prints
// "Illegal color %d; using RED.\n" and returns RED.
int check_color(int color);

// A negative width becomes its absolute value.
int check_width(int width);
// A negative radius becomes its absolute value.
int check_radius(int radius);
// A negative text size becomes its absolute value, then anything above 127 becomes 127.
int check_size(int size);

}  // namespace kelto
