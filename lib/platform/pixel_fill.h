// Filling a run of 32-bit pixels with one colour: the store loop under every
// clear, box, span and glyph. Short runs are written one pixel at a time;
// longer ones with the widest stores the target always has.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelto {

// Runs at least this long go to the wide stores.
inline constexpr std::size_t kWideFillMinimum = 8;

// Sets `count` (at least 8) pixels from `first` on: with 16-byte SSE2 stores
// on x86-64, with fill_pixels_pairs elsewhere.
void fill_pixels_wide(uint32_t *first, std::size_t count, uint32_t color);

// The portable wide fill: 8-byte stores, which every 64-bit target has.
// Built everywhere, so that its tests run on every target.
void fill_pixels_pairs(uint32_t *first, std::size_t count, uint32_t color);

// Sets `count` pixels from `first` on to `color`.
inline void fill_pixels(uint32_t *first, std::size_t count, uint32_t color) {
    if (count >= kWideFillMinimum) {
        fill_pixels_wide(first, count, color);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) first[i] = color;
}

}  // namespace kelto
