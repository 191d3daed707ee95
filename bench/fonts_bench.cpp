// Text drawing speed: a frame of 50 phrases drawn with a warm glyph cache
// against the same frame rendered from scratch, and a large string far off
// the image against the same string in view. Prints the cache's speed-up and
// the cost of far-off text relative to visible text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "draw/fonts.h"

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

// Remembers each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto &t = reporter.times;
    if (t.count("BM_FrameCached") && t.count("BM_FrameUncached"))
        std::printf("glyph cache speed-up (uncached / cached frame): %.1f\n",
                    t["BM_FrameUncached"] / t["BM_FrameCached"]);
    if (t.count("BM_LargeTextVisible") && t.count("BM_LargeTextFarAway"))
        std::printf("far-off text cost (far away / visible): %.4f\n",
                    t["BM_LargeTextFarAway"] / t["BM_LargeTextVisible"]);
    benchmark::Shutdown();
}
