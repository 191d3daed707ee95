// Raster primitives: the shapes the renderer draws into an Image, in pixel
// coordinates, with the coverage of the classic desktop graphics interface.
//
// Boxes are inclusive of both corners; a box given with its corners swapped is
// drawn as the box they span. Filled shapes include their one-pixel outline.
// A width of 1 or less draws one-pixel strokes; a wider pen covers the pixels
// whose centres lie within width / 2 of the path, so strokes are centred on it
// with round caps and joins (for even widths the path is taken half a pixel up
// and to the left, so that the stroke is exactly `width` pixels across).
//
// Every primitive clips to the image before it iterates, so its work is bounded
// by the visible area whatever coordinates, widths or counts it is given.
#pragma once

#include <cstdint>

#include "pixels/image.h"
#include "pixels/rect.h"

namespace kelto::raster {

struct PixelPoint {
    int64_t x;
    int64_t y;
};

// Sets one pixel; nothing happens outside the image.
void set_pixel(Image &img, int64_t x, int64_t y, uint32_t color);

// Fills columns left..right of rows top..bottom.
void fill_box(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color);

// The pixels fill_box fills on an image of width x height: the box, both
// corners included, clipped to the image (perhaps empty).
Rect box_area(int width, int height, int64_t left, int64_t top, int64_t right, int64_t bottom);

// Strokes the border of the box: its edge pixels for width 1, a centred
// stroke with rounded outer corners for wider pens.
void box_outline(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom, int width,
                 uint32_t color);

// Fills the ellipse inscribed in the box (interior plus outline).
void fill_ellipse(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                  uint32_t color);

// Strokes the ellipse inscribed in the box: the 8-connected edge ring of the
// filled ellipse for width 1, a ring `width` pixels wide centred on it otherwise.
void ellipse_outline(Image &img, int64_t left, int64_t top, int64_t right, int64_t bottom,
                     int width, uint32_t color);

// Fills the polygon (even-odd rule) and draws its one-pixel closed outline.
void fill_polygon(Image &img, const PixelPoint *points, int count, uint32_t color);

// Strokes the closed polygon through the points; every vertex is covered.
void polygon_outline(Image &img, const PixelPoint *points, int count, int width, uint32_t color);

// Draws a line. Width 1 leaves out the end pixel (so a zero-length line draws
// nothing); wider pens cover both ends with round caps.
void line(Image &img, PixelPoint from, PixelPoint to, int width, uint32_t color);

}  // namespace kelto::raster
