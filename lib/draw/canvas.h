// The canvas: an Image that drawing renders into, with the origin of the
// program's centred coordinates. Program point (x, y) is pixel
// (origin_x + x, origin_y - y): x grows to the right and y upwards.
#pragma once

#include "pixels/image.h"

namespace kelto::draw {

// A point in program coordinates.
struct Point {
    int x = 0;
    int y = 0;
};

struct Canvas {
    Image *image = nullptr;  // nothing is drawn without one
    int origin_x = 0;
    int origin_y = 0;
};

// Erases the image to white inside a one-pixel black frame (an image of no
// pixels stays as it is).
void erase(Image &image);

}  // namespace kelto::draw
