// The floor of the card frame's runs: what any renderer that writes the
// frame's pixels as they lie must take, with no geometry to work out. Call by
// call, each lone pixel takes one store and each run on a row one fill, on
// the baseline's image, timed in the same run as the frame.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "pixels/pixel_fill.h"
#include "support/fill_baseline.h"
#include "support/measured_reporter.h"
#include "support/painters_limit.h"

namespace kelto::bench {

inline constexpr const char *kRunsFloor = "frame_runs_floor";
inline constexpr const char *kRunsFloorStdFill = "frame_runs_floor_std_fill";

// Writes the frame's pixels call by call: its lone pixels each with one
// store, then its runs each with `fill`.
template <class Fill>
void write_frame_runs(const FrameRuns &frame, uint32_t *pixels, uint32_t color, Fill fill) {
    std::size_t lone = 0, run = 0;
    for (const FrameRuns::CallEnds &call : frame.calls) {
        for (; lone < call.lone_end; ++lone) pixels[frame.lone[lone]] = color;
        for (; run < call.run_end; ++run)
            fill(pixels + frame.runs[run].offset, frame.runs[run].count, color);
    }
}

// Registers the floor of the frame's runs on the baseline's image, twice:
// with the library's pixel fill, which takes a run of any length with the
// fewest stores, and with std::fill_n; the floor is the faster. Not
// registered unless the frame was drawn on an image of the baseline's size.
inline void register_runs_floor(const FrameRuns &frame) {
    if (frame.image_pixels != baseline_image().pixels.size()) return;
    const auto writes = [frame](auto fill) {
        return [frame, fill](benchmark::State &state) {
            uint32_t *const pixels = baseline_image().pixels.data();
            uint32_t color = 0;
            for (auto _ : state) {
                write_frame_runs(frame, pixels, color++, fill);
                benchmark::DoNotOptimize(pixels);
                benchmark::ClobberMemory();
            }
        };
    };
    benchmark::RegisterBenchmark(kRunsFloor,
                                 writes([](uint32_t *first, std::size_t count, uint32_t color) {
                                     fill_pixels(first, count, color);
                                 }))
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(kRunsFloorStdFill,
                                 writes([](uint32_t *first, std::size_t count, uint32_t color) {
                                     std::fill_n(first, count, color);
                                 }))
        ->Unit(benchmark::kMicrosecond);
}

// The faster of the two floors' names, or the first when either was not run.
inline std::string faster_runs_floor(const MeasuredReporter &reporter) {
    const auto library = reporter.time(kRunsFloor), std_fill = reporter.time(kRunsFloorStdFill);
    return library && std_fill && *std_fill < *library ? kRunsFloorStdFill : kRunsFloor;
}

}  // namespace kelto::bench
