// Long pixel runs with vector stores. Each width writes a run the same way:
// runs of up to eight stores take them from both ends, overlapping in the
// middle, with no loop whose irregular end the processor would mispredict;
// longer runs take one unaligned store at their start, aligned stores in the
// middle from the first boundary after it, and four unaligned stores at
// their end. SSE2 is always present on x86-64; AVX2 and AVX-512 are compiled
// for their instruction sets alone and called only where the processor has
// them (not in Windows builds, whose compilers do not align the stack for
// 32-byte spills). Elsewhere the portable 8-byte fill serves.
#include "pixels/long_run_fill.h"

#include <array>
#include <atomic>

#include "pixels/pixel_fill.h"

#if defined(__SSE2__) || defined(_M_X64)
#define KELTO_SSE2_RUNS 1
#include <emmintrin.h>
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define KELTO_AVX_RUNS 1
#include <immintrin.h>
#endif
#endif

namespace kelto {

namespace {

#if KELTO_SSE2_RUNS

void fill_run_sse2(uint32_t *first, std::size_t count, uint32_t color) {
    const __m128i quad = _mm_set1_epi32(static_cast<int>(color));
    const auto store = [&quad](uint32_t *at) {
        _mm_storeu_si128(reinterpret_cast<__m128i *>(at), quad);
    };
    uint32_t *const end = first + count;
    if (count <= 32) {
        store(first), store(first + 4), store(first + 8), store(first + 12);
        store(end - 16), store(end - 12), store(end - 8), store(end - 4);
        return;
    }
    if (count <= 64) {
        for (int i = 0; i < 32; i += 4) store(first + i), store(end - 32 + i);
        return;
    }
    store(first);
    // From the first 16-byte boundary after `first` (pixels are 4-byte
    // aligned, so 1 to 4 pixels on) while more than 16 pixels remain.
    uint32_t *pixel = first + (16 - (reinterpret_cast<uintptr_t>(first) & 15)) / 4;
    for (; end - pixel > 16; pixel += 16) {
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel), quad);
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel + 4), quad);
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel + 8), quad);
        _mm_store_si128(reinterpret_cast<__m128i *>(pixel + 12), quad);
    }
    store(end - 16), store(end - 12), store(end - 8), store(end - 4);
}

#endif

#if KELTO_AVX_RUNS

[[gnu::target("avx2")]] void fill_run_avx2(uint32_t *first, std::size_t count, uint32_t color) {
    // No helper lambda: it would not be compiled for AVX2.
    const __m256i eight = _mm256_set1_epi32(static_cast<int>(color));
    uint32_t *const end = first + count;
    if (count <= 64) {
        const std::size_t half = count <= 32 ? 16 : 32;
        for (std::size_t i = 0; i < half; i += 8) {
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(first + i), eight);
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(end - half + i), eight);
        }
        return;
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(first), eight);
    // From the first 32-byte boundary after `first` (1 to 8 pixels on).
    uint32_t *pixel = first + (32 - (reinterpret_cast<uintptr_t>(first) & 31)) / 4;
    for (; end - pixel > 32; pixel += 32) {
        _mm256_store_si256(reinterpret_cast<__m256i *>(pixel), eight);
        _mm256_store_si256(reinterpret_cast<__m256i *>(pixel + 8), eight);
        _mm256_store_si256(reinterpret_cast<__m256i *>(pixel + 16), eight);
        _mm256_store_si256(reinterpret_cast<__m256i *>(pixel + 24), eight);
    }
    for (int i = 32; i > 0; i -= 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(end - i), eight);
}

[[gnu::target("avx512f")]] void fill_run_avx512(uint32_t *first, std::size_t count,
                                                uint32_t color) {
    const __m512i sixteen = _mm512_set1_epi32(static_cast<int>(color));
    uint32_t *const end = first + count;
    if (count <= 64) {
        const std::size_t half = count <= 32 ? 16 : 32;
        for (std::size_t i = 0; i < half; i += 16) {
            _mm512_storeu_si512(first + i, sixteen);
            _mm512_storeu_si512(end - half + i, sixteen);
        }
        return;
    }
    _mm512_storeu_si512(first, sixteen);
    // From the first 64-byte boundary after `first` (1 to 16 pixels on).
    uint32_t *pixel = first + (64 - (reinterpret_cast<uintptr_t>(first) & 63)) / 4;
    for (; end - pixel > 64; pixel += 64) {
        _mm512_store_si512(pixel, sixteen);
        _mm512_store_si512(pixel + 16, sixteen);
        _mm512_store_si512(pixel + 32, sixteen);
        _mm512_store_si512(pixel + 48, sixteen);
    }
    for (int i = 64; i > 0; i -= 16) _mm512_storeu_si512(end - i, sixteen);
}

bool has_avx512() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f");
}

bool has_avx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

#endif

}  // namespace

std::span<const LongRunFill> long_run_fills() {
    static const auto fills = std::to_array<LongRunFill>({
#if KELTO_AVX_RUNS
        {"AVX-512", fill_run_avx512, has_avx512()}, {"AVX2", fill_run_avx2, has_avx2()},
#endif
#if KELTO_SSE2_RUNS
            {"SSE2", fill_run_sse2, true},
#endif
            {"8-byte", fill_pixels_pairs, true},
    });
    return fills;
}

namespace {

void choose_and_fill(uint32_t *first, std::size_t count, uint32_t color);

// The fill every long run takes: at first one that chooses the widest fill
// this processor runs and puts it here, so that later runs take it with one
// indirect call, without a guard to test or registers to save. Any thread
// may choose, and all choose the same.
std::atomic<PixelRunFill> long_run_fill{choose_and_fill};

void choose_and_fill(uint32_t *first, std::size_t count, uint32_t color) {
    PixelRunFill widest = fill_pixels_pairs;
    for (const LongRunFill &fill : long_run_fills()) {
        if (fill.runs_here) {
            widest = fill.fill;
            break;
        }
    }
    long_run_fill.store(widest, std::memory_order_relaxed);
    widest(first, count, color);
}

}  // namespace

void fill_long_run(uint32_t *first, std::size_t count, uint32_t color) {
    long_run_fill.load(std::memory_order_relaxed)(first, count, color);
}

}  // namespace kelto
