// The unit that frame and shape costs are given in: one fill of a 601 x 540
// surface's bytes at full speed, whatever the compiler flags. Two fills of the
// same bytes are timed in the same run, the library's wide pixel fill and
// std::memset, and ratios divide by the faster one, so that a slow baseline
// never flatters a ratio.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "pixels/image.h"
#include "pixels/pixel_fill.h"
#include "support/measured_reporter.h"

namespace kelto::bench {

inline constexpr int kSurfaceWidth = 601;
inline constexpr int kSurfaceHeight = 540;
inline constexpr const char *kWideFill = "fill_wide";
inline constexpr const char *kMemsetFill = "fill_memset";

inline Image &baseline_image() {
    static Image image(kSurfaceWidth, kSurfaceHeight);
    return image;
}

// Registers both fills; call before run_benchmarks.
inline void register_fill_baselines() {
    benchmark::RegisterBenchmark(kWideFill, [](benchmark::State &state) {
        Image &image = baseline_image();
        uint32_t color = 0;
        for (auto _ : state) {
            fill_pixels(image.pixels.data(), image.pixels.size(), color++);
            benchmark::DoNotOptimize(image.pixels.data());
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(kMemsetFill, [](benchmark::State &state) {
        Image &image = baseline_image();
        int byte = 0;
        for (auto _ : state) {
            std::memset(image.pixels.data(), byte++ & 0xFF, image.pixels.size() * sizeof(uint32_t));
            benchmark::DoNotOptimize(image.pixels.data());
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond);
}

// Prints both fills' times and which one the ratios divide by, and returns
// that one's name (empty when either was not run).
inline std::string print_fill_baseline(const MeasuredReporter &reporter) {
    const auto wide = reporter.time(kWideFill), memset = reporter.time(kMemsetFill);
    if (!wide || !memset) {
        std::printf("baseline fill: not measured (run both %s and %s)\n", kWideFill, kMemsetFill);
        return {};
    }
    const bool wide_faster = *wide < *memset;
    std::printf(
        "baseline: one fill of the %d x %d surface's bytes takes %.1f us with the library's wide "
        "fill and %.1f us with std::memset; ratios below divide by %s, the faster\n",
        kSurfaceWidth, kSurfaceHeight, *wide * 1e6, *memset * 1e6,
        wide_faster ? "the wide fill" : "std::memset");
    return wide_faster ? kWideFill : kMemsetFill;
}

}  // namespace kelto::bench
