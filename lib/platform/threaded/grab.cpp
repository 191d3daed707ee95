// The part of a picture grab that runs on the program thread.
#include "platform/threaded/grab.h"

#include <algorithm>

#include "pixels/held_box.h"

namespace kelto::platform {

bool PictureGrab::copy_source(Image &into) const {
    const Image *picture = picture_.load(std::memory_order_relaxed);
    if (!picture || busy_.load(std::memory_order_relaxed)) return false;
    // The client shows the picture's top left part, pixel for pixel.
    const int width = std::min(picture->width, into.width);
    const int height = std::min(picture->height, into.height);
    if (width <= 0 || height <= 0) return false;
    for (int y = 0; y < height; ++y) std::copy_n(picture->row(y), width, into.row(y));
    if (const HeldBox *held = held_.load(std::memory_order_relaxed)) held->overlay(into);
    return true;
}

}  // namespace kelto::platform
