// Text drawing speed: a frame of 50 phrases drawn with a warm glyph cache
// against the same frame rendered from scratch, and a large string far off
// the image against the same string in view. Prints the cache's speed-up and
// the cost of far-off text relative to visible text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>

#include "draw/fonts.h"
#include "support/measured_reporter.h"

using kelto::Image;
using kelto::text::Face;
using kelto::text::FontLibrary;

namespace {

constexpr const char *kPhrase = "I love you more than words";

void draw_frame(FontLibrary &fonts, Image &img) {
    for (int i = 0; i < 50; ++i)
        fonts.draw(img, Face::Sans, 10 + i, (i * 37) % 500, (i * 53) % 500, kPhrase, 0xFF0000);
}

void BM_FrameCached(benchmark::State &state) {
    FontLibrary fonts;
    Image img(601, 540, 0xFFFFFF);
    draw_frame(fonts, img);
    for (auto _ : state) draw_frame(fonts, img);
}
BENCHMARK(BM_FrameCached);

void BM_FrameUncached(benchmark::State &state) {
    std::optional<FontLibrary> fonts;
    Image img(601, 540, 0xFFFFFF);
    for (auto _ : state) {
        state.PauseTiming();
        fonts.emplace();
        state.ResumeTiming();
        draw_frame(*fonts, img);
    }
}
BENCHMARK(BM_FrameUncached);

void BM_LargeTextVisible(benchmark::State &state) {
    FontLibrary fonts;
    Image img(601, 540, 0xFFFFFF);
    for (auto _ : state) fonts.draw(img, Face::Sans, 127, 0, 100, kPhrase, 0xFF0000);
}
BENCHMARK(BM_LargeTextVisible);

void BM_LargeTextFarAway(benchmark::State &state) {
    FontLibrary fonts;
    Image img(601, 540, 0xFFFFFF);
    for (auto _ : state) fonts.draw(img, Face::Sans, 127, 0, 1'000'000, kPhrase, 0xFF0000);
}
BENCHMARK(BM_LargeTextFarAway);

}  // namespace

int main(int argc, char **argv) {
    kelto::bench::MeasuredReporter reporter;
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("glyph cache speed-up (uncached / cached frame)", "BM_FrameUncached",
                         "BM_FrameCached");
    reporter.print_ratio("far-off text cost (far away / visible)", "BM_LargeTextFarAway",
                         "BM_LargeTextVisible");
    return 0;
}
