// Speed of the raster primitives on a surface-sized image, judged against one
// full-speed fill of that image's bytes (support/fill_baseline.h): prints how
// many fills a full clear and a typical mix of filled shapes each cost.
#include <benchmark/benchmark.h>

#include <string>

#include "draw/raster.h"
#include "support/fill_baseline.h"
#include "support/measured_reporter.h"

namespace {

using kelto::Image;
using namespace kelto::raster;

constexpr int kWidth = 601, kHeight = 540;
constexpr uint32_t kWhite = 0x00FFFFFF, kBlack = 0;

// A full-surface clear: white inside a one-pixel black frame.
void clear(benchmark::State &state) {
    Image img(kWidth, kHeight);
    for (auto _ : state) {
        fill_box(img, 0, 0, kWidth - 1, kHeight - 1, kWhite);
        box_outline(img, 0, 0, kWidth - 1, kHeight - 1, 1, kBlack);
        benchmark::DoNotOptimize(img.pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(clear);

// Ten each of filled boxes, discs of radius 20..60, filled triangles and
// three-pixel lines, spread over the image.
void shapes(benchmark::State &state) {
    Image img(kWidth, kHeight);
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) {
            const int64_t x = 30 + i * 57, y = 40 + (i * 97) % 460;
            const uint32_t color = 0x00102030u * static_cast<uint32_t>(i + 1);
            fill_box(img, x - 25, y - 15, x + 25, y + 15, color);
            const int64_t r = 20 + i * 4;
            fill_ellipse(img, x - r, kHeight - y - r, x + r, kHeight - y + r, color);
            const PixelPoint triangle[] = {{x, y - 40}, {x + 45, y + 30}, {x - 45, y + 30}};
            fill_polygon(img, triangle, 3, color);
            line(img, {x - 30, 20 + i * 10}, {kWidth - 1 - x, kHeight - 20 - i * 10}, 3, color);
        }
        benchmark::DoNotOptimize(img.pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(shapes);

}  // namespace

int main(int argc, char **argv) {
    kelto::bench::MeasuredReporter reporter(kelto::bench::MeasuredReporter::Clock::Cpu);
    kelto::bench::register_fill_baselines();
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    const std::string fill = kelto::bench::print_fill_baseline(reporter);
    reporter.print_ratio("clear", "clear", fill, " fills");
    reporter.print_ratio("shapes", "shapes", fill, " fills");
    return 0;
}
