// The cost of one KELTO_pixel call with logging off against a raw store of
// the same pixel into the surface (its index computed from the point, no
// checks), and against the raster layer's set_pixel (a call that clips), in
// one run. All three write the same sequence of points spread at random over
// the visible surface, as a program that plots points does, so they pay the
// same memory traffic and the ratios show what the call adds. Goal: at most
// 1.5 raw stores.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "draw/raster.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/system.h"
#include "support/measured_reporter.h"

namespace {

constexpr const char *kCall = "pixel_call";
constexpr const char *kStore = "pixel_raw_store";
constexpr const char *kSetPixel = "pixel_set_pixel";

struct Plot {
    int x;
    int y;
};

// Opens the library on the headless display with logging off.
void open_library() {
    if (kelto::events::state().graphics_window != 0) return;
    static int instance = 0;
    kelto::platform::use_headless_display();
    KELTO_open(&instance, nullptr, nullptr, 1);
    KELTO_logging(0);
    KELTO_clear();
}

// 65536 points inside the headless client area, 595 x 490 about the origin.
const std::vector<Plot> &points() {
    static const std::vector<Plot> plots = [] {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> x(-297, 297), y(-244, 245);
        std::vector<Plot> all(1 << 16);
        for (Plot &p : all) p = {x(rng), y(rng)};
        return all;
    }();
    return plots;
}

void pixel_call(benchmark::State &state) {
    open_library();
    const std::vector<Plot> &plots = points();
    std::size_t i = 0;
    for (auto _ : state) {
        const Plot p = plots[i++ & 0xFFFF];
        KELTO_pixel(static_cast<int>(i & 7), p.x, p.y);
    }
}
BENCHMARK(pixel_call)->Name(kCall);

void pixel_raw_store(benchmark::State &state) {
    open_library();
    const std::vector<Plot> &plots = points();
    kelto::draw::Surface &surface = kelto::events::surface();
    uint32_t *const pixels = surface.image().pixels.data();
    const int width = surface.image().width;
    std::size_t i = 0;
    for (auto _ : state) {
        const Plot p = plots[i++ & 0xFFFF];
        pixels[(surface.origin_y() - p.y) * width + surface.origin_x() + p.x] =
            static_cast<uint32_t>(i);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(pixel_raw_store)->Name(kStore);

void pixel_set_pixel(benchmark::State &state) {
    open_library();
    const std::vector<Plot> &plots = points();
    kelto::draw::Surface &surface = kelto::events::surface();
    std::size_t i = 0;
    for (auto _ : state) {
        const Plot p = plots[i++ & 0xFFFF];
        kelto::raster::set_pixel(surface.image(), surface.origin_x() + p.x,
                                 surface.origin_y() - p.y, static_cast<uint32_t>(i));
    }
}
BENCHMARK(pixel_set_pixel)->Name(kSetPixel);

}  // namespace

int main(int argc, char **argv) {
    kelto::bench::MeasuredReporter reporter(kelto::bench::MeasuredReporter::Clock::Cpu);
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("KELTO_pixel call / raw surface store", kCall, kStore,
                         " (goal: at most 1.5)");
    reporter.print_ratio("KELTO_pixel call / raster set_pixel", kCall, kSetPixel);
    return 0;
}
