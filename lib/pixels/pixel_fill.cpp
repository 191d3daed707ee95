// Wide pixel fills. Both write a run the same way: one unaligned store covers
// its start, aligned stores the middle and unaligned stores its end,
// overlapping where the run is not a multiple of the store's width. On x86-64
// SSE2 is always present, so its 16-byte stores need no build flag; runs of
// up to 64 pixels take stores from both ends with no loop, and very long runs
// use the processor's string store from a cache line's start, which writes
// whole cache lines without reading them first (what std::memset does with
// bytes).
#include "pixels/pixel_fill.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#define KELTO_SSE2_FILL 1
#include <emmintrin.h>
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif
#endif

namespace kelto {

void fill_pixels_pairs(uint32_t *first, std::size_t count, uint32_t color) {
    const uint64_t pair = (uint64_t{color} << 32) | color;
    uint32_t *const last = first + count - 2;
    std::memcpy(first, &pair, sizeof pair);
    // From the first 8-byte boundary after `first` (1 or 2 pixels on) to
    // `last`, which the final store covers.
    uint32_t *pixel = first + ((reinterpret_cast<uintptr_t>(first) & 7) != 0 ? 1 : 2);
    for (std::ptrdiff_t remaining = last - pixel; remaining > 0; remaining -= 2, pixel += 2)
        std::memcpy(pixel, &pair, sizeof pair);
    std::memcpy(last, &pair, sizeof pair);
}

#if KELTO_SSE2_FILL

namespace {

// From this length on (32 KiB, beyond the first-level cache) the string store
// is about a quarter faster than vector stores; below it, slower.
constexpr std::size_t kStringFillMinimum = 8192;

void string_fill(uint32_t *first, std::size_t count, uint32_t color) {
#if defined(_MSC_VER) && !defined(__clang__)
    __stosd(reinterpret_cast<unsigned long *>(first), color, count);
#else
    asm volatile("rep stosl" : "+D"(first), "+c"(count) : "a"(color) : "memory");
#endif
}

}  // namespace

void fill_pixels_wide(uint32_t *first, std::size_t count, uint32_t color) {
    const __m128i quad = _mm_set1_epi32(static_cast<int>(color));
    const auto store = [&quad](uint32_t *at) {
        _mm_storeu_si128(reinterpret_cast<__m128i *>(at), quad);
    };
    uint32_t *const end = first + count;
    // Runs of up to 64 pixels: stores from both ends, overlapping in the
    // middle, with no loop whose irregular end the processor would mispredict.
    if (count <= 16) {
        store(first), store(first + 4), store(end - 8), store(end - 4);
        return;
    }
    if (count <= 32) {
        store(first), store(first + 4), store(first + 8), store(first + 12);
        store(end - 16), store(end - 12), store(end - 8), store(end - 4);
        return;
    }
    if (count <= 64) {
        for (int i = 0; i < 32; i += 4) store(first + i), store(end - 32 + i);
        return;
    }
    if (count >= kStringFillMinimum) {
        // The string store is fastest from a cache line's start.
        store(first), store(first + 4), store(first + 8), store(first + 12);
        const std::size_t head = ((64 - (reinterpret_cast<uintptr_t>(first) & 63)) & 63) / 4;
        string_fill(first + head, count - head, color);
        return;
    }
    store(first);
    // Aligned stores from the first 16-byte boundary after `first` (pixels
    // are 4-byte aligned, so 1 to 4 pixels on) while more than 16 pixels
    // remain; four stores from the end cover the rest.
    uint32_t *pixel = first + (16 - (reinterpret_cast<uintptr_t>(first) & 15)) / 4;
    for (; end - pixel > 16; pixel += 16) {
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel), quad);
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel + 4), quad);
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel + 8), quad);
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel + 12), quad);
    }
    store(end - 16), store(end - 12), store(end - 8), store(end - 4);
}

#else

void fill_pixels_wide(uint32_t *first, std::size_t count, uint32_t color) {
    fill_pixels_pairs(first, count, color);
}

#endif

}  // namespace kelto
