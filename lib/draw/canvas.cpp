// Erasing a canvas's image.
#include "draw/canvas.h"

#include "draw/palette.h"
#include "draw/raster.h"

namespace kelto::draw {

void erase(Image &image) {
    if (image.pixels.empty()) return;
    const int right = image.width - 1, bottom = image.height - 1;
    raster::fill_box(image, 0, 0, right, bottom, palette_value(kWhiteIndex));
    raster::box_outline(image, 0, 0, right, bottom, 1, palette_value(kBlackIndex));
}

}  // namespace kelto::draw
