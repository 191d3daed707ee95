// Filling a run of 32-bit pixels with one colour: the stores under every
// clear, box, span and glyph, as wide as the target always has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kelto {

// Runs at least this long go to the wide stores.
inline constexpr std::size_t kWideFillMinimum = 8;

// Sets `count` (at least 8) pixels from `first` on: with 16-byte SSE2 stores
// on x86-64, with fill_pixels_pairs elsewhere.
void fill_pixels_wide(uint32_t *first, std::size_t count, uint32_t color);

// The portable wide fill: 8-byte stores, which every 64-bit target has.
// Built everywhere, so that its tests run on every target.
void fill_pixels_pairs(uint32_t *first, std::size_t count, uint32_t color);

// Sets `count` pixels from `first` on to `color`. Runs shorter than the wide
// fill's, like most of a glyph's, take one or two 8-byte stores from each end.
inline void fill_pixels(uint32_t *first, std::size_t count, uint32_t color) {
    if (count >= kWideFillMinimum) {
        fill_pixels_wide(first, count, color);
        return;
    }
    if (count < 2) {
        if (count == 1) *first = color;
        return;
    }
    const uint64_t pair = (uint64_t{color} << 32) | color;
    uint32_t *const end = first + count;
    std::memcpy(first, &pair, sizeof pair);
    std::memcpy(end - 2, &pair, sizeof pair);
    if (count > 4) {
        std::memcpy(first + 2, &pair, sizeof pair);
        std::memcpy(end - 4, &pair, sizeof pair);
    }
}

}  // namespace kelto
