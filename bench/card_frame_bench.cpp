// How long the card designer takes to draw its busiest frame (background, a
// full card of 50 items, status line, panel), in fills of the surface's bytes
// measured in the same run (support/fill_baseline.h), against the limit for a
// painter's-order renderer (support/painters_limit.h), and against the same
// frame drawn with cairo on an image surface and with QPainter on a QImage.
// Goals: at most 2.5 fills, at most 1.6 times the painter's-order limit, at
// least 10 times cheaper than cairo. The same frame without its items shows
// how much of it the large boxes and the panel take. Each benchmark runs five
// times unless told otherwise, and the ratios take each one's best run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "card_designer.h"
#include "events/events.h"
#include "items.h"
#include "kelto.h"
#include "panel.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "support/busiest_card.h"
#include "support/card_frame.h"
#include "support/fill_baseline.h"
#include "support/measured_reporter.h"
#include "support/painters_limit.h"
#include "support/runs_floor.h"

#if KELTO_BENCH_QT
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "support/qpainter_card.h"
#endif

#if KELTO_BENCH_CAIRO
#include "support/cairo_card.h"
#endif

namespace {

constexpr const char *kFrame = "card_frame_kelto";
constexpr const char *kEmptyFrame = "card_frame_without_items";
constexpr const char *kQPainterFrame = "card_frame_qpainter";
constexpr const char *kCairoFrame = "card_frame_cairo";

// Opens the library on the headless display with logging off.
void open_library() {
    if (kelto::events::state().graphics_window != 0) return;
    static int instance = 0;
    static char command_line[] = "";
    kelto::platform::use_headless_display();
    KELTO_open(&instance, nullptr, command_line, 1);
    KELTO_logging(0);
    KELTO_clear();
}

// The card designer's own frame.
void draw_designer_frame(CardModel &model) {
    draw_background();
    draw_card(model);
    draw_panel(model.highlight);
}

// Draws the card designer's frame of `model` repeatedly.
void draw_frames(benchmark::State &state, CardModel model) {
    open_library();
    for (auto _ : state) {
        draw_designer_frame(model);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(kelto::events::surface().image().pixels.data());
}

void card_frame_kelto(benchmark::State &state) {
    draw_frames(state, kelto::bench::busiest_card());
}
BENCHMARK(card_frame_kelto)->Name(kFrame)->Unit(benchmark::kMicrosecond);

void card_frame_without_items(benchmark::State &state) {
    draw_frames(state, CardModel{});
}
BENCHMARK(card_frame_without_items)->Name(kEmptyFrame)->Unit(benchmark::kMicrosecond);

// The busiest card's items by design: item i has design i % 5, a message for 4.
constexpr const char *kItemDesigns[] = {"hearts", "bursts", "arrows", "suns", "messages"};
constexpr int kDesignCount = 5;

std::string items_benchmark(int design) {
    return std::string("card_items_") + kItemDesigns[design];
}

// Draws the ten items of one design of `model`, as draw_card does.
void draw_items_of_design(CardModel &model, int design) {
    for (int i = design; i < model.item_count; i += kDesignCount) {
        if (model.kind[i] == ITEM_MESSAGE)
            draw_message(model.variant[i], model.color[i], model.x[i], model.y[i],
                         model.counter[i]);
        else
            draw_shape(model.variant[i], model.color[i], model.x[i], model.y[i], model.counter[i],
                       model.random);
    }
}

// Registers one benchmark per design: its ten items of the busiest card drawn
// repeatedly, over whatever the surface holds.
void register_items_by_design() {
    for (int design = 0; design < kDesignCount; ++design) {
        const auto draw_items = [design](benchmark::State &state) {
            open_library();
            CardModel model = kelto::bench::busiest_card();
            for (auto _ : state) {
                draw_items_of_design(model, design);
                benchmark::ClobberMemory();
            }
        };
        benchmark::RegisterBenchmark(items_benchmark(design).c_str(), draw_items)
            ->Unit(benchmark::kMicrosecond);
    }
}

#if KELTO_BENCH_CAIRO

void card_frame_cairo(benchmark::State &state) {
    open_library();
    const kelto::draw::Surface &surface = kelto::events::surface();
    cairo_surface_t *image = cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, kelto::bench::kSurfaceWidth, kelto::bench::kSurfaceHeight);
    CardModel model = kelto::bench::busiest_card();
    for (auto _ : state) {
        cairo_t *cairo = cairo_create(image);
        kelto::bench::CairoCard painter(cairo, surface.origin_x(), surface.origin_y());
        kelto::bench::draw_card_frame(painter, model);
        cairo_destroy(cairo);
        cairo_surface_flush(image);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(cairo_image_surface_get_data(image));
    cairo_surface_destroy(image);
}
BENCHMARK(card_frame_cairo)->Name(kCairoFrame)->Unit(benchmark::kMicrosecond);

#endif

#if KELTO_BENCH_QT

// QPainter needs a Qt application for its fonts; without a desktop it runs
// on Qt's offscreen platform.
QGuiApplication &qt_application() {
    static int argc = 1;
    static char name[] = "card_frame_bench";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *const application = new QGuiApplication(argc, argv);
    return *application;
}

void card_frame_qpainter(benchmark::State &state) {
    qt_application();
    open_library();
    const kelto::draw::Surface &surface = kelto::events::surface();
    QImage image(kelto::bench::kSurfaceWidth, kelto::bench::kSurfaceHeight, QImage::Format_RGB32);
    CardModel model = kelto::bench::busiest_card();
    for (auto _ : state) {
        QPainter painter(&image);
        kelto::bench::QPainterCard card(painter, surface.origin_x(), surface.origin_y());
        kelto::bench::draw_card_frame(card, model);
        painter.end();
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(card_frame_qpainter)->Name(kQPainterFrame)->Unit(benchmark::kMicrosecond);

#endif

// The command line with five repetitions unless it asks for a number.
std::vector<char *> with_repetitions(int argc, char **argv) {
    static char five[] = "--benchmark_repetitions=5";
    std::vector<char *> args(argv, argv + argc);
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        asked = asked || std::string(argv[i]).rfind("--benchmark_repetitions", 0) == 0;
    if (!asked) args.push_back(five);
    args.push_back(nullptr);
    return args;
}

}  // namespace

int main(int argc, char **argv) {
    open_library();
    const CardModel model = kelto::bench::busiest_card();
    const bool same_calls = kelto::bench::frame_matches_card_designer(model, draw_designer_frame);
    const kelto::bench::FrameRuns runs = kelto::bench::frame_runs(model);
    const std::size_t limit_pixels = runs.pixel_count();

    // Processor time: the ratios stay meaningful on a loaded machine.
    kelto::bench::MeasuredReporter reporter(kelto::bench::MeasuredReporter::Clock::Cpu);
    kelto::bench::register_fill_baselines();
    kelto::bench::register_painters_limit(limit_pixels);
    kelto::bench::register_runs_floor(runs);
    register_items_by_design();
    std::vector<char *> args = with_repetitions(argc, argv);
    if (!kelto::bench::run_benchmarks(static_cast<int>(args.size()) - 1, args.data(), reporter))
        return 1;

    const std::string fill = kelto::bench::print_fill_baseline(reporter);
    std::printf("the peers' frame makes the card designer's calls: %s\n",
                same_calls ? "yes (same pixels through KELTO)" : "NO: the peer figures are off");
    std::printf("painter's-order limit: the frame's calls write %zu pixels, %.2f surfaces\n",
                limit_pixels,
                static_cast<double>(limit_pixels) /
                    (kelto::bench::kSurfaceWidth * kelto::bench::kSurfaceHeight));
    reporter.print_ratio("KELTO frame", kFrame, fill, " fills (goal: at most 2.5)");
    reporter.print_ratio("  of which the frame without its 50 items", kEmptyFrame, fill, " fills");
    reporter.print_ratio("painter's-order limit", kelto::bench::kPaintersLimit, fill, " fills");
    reporter.print_ratio("KELTO frame / painter's-order limit", kFrame,
                         kelto::bench::kPaintersLimit, " (goal: at most 1.6)");
    std::printf(
        "the frame's calls write their pixels as %zu lone pixels and %zu runs on their rows\n",
        runs.lone.size(), runs.runs.size());
    const std::string floor = kelto::bench::faster_runs_floor(reporter);
    std::printf("  (%s, the faster of the library's fill and std::fill_n)\n", floor.c_str());
    reporter.print_ratio("floor of the frame's runs, written with no geometry to work out", floor,
                         fill, " fills");
    reporter.print_ratio("KELTO frame / floor of its runs", kFrame, floor);
    for (int design = 0; design < kDesignCount; ++design) {
        const std::string label = std::string("  ten ") + kItemDesigns[design] + " alone";
        reporter.print_ratio(label.c_str(), items_benchmark(design), fill, " fills");
    }
#if KELTO_BENCH_CAIRO
    reporter.print_ratio("cairo frame", kCairoFrame, fill, " fills");
    reporter.print_ratio("cairo frame / KELTO frame", kCairoFrame, kFrame, " (goal: at least 10)");
#else
    std::printf("cairo frame: not built (no cairo found by pkg-config: libcairo2-dev)\n");
#endif
#if KELTO_BENCH_QT
    reporter.print_ratio("QPainter frame", kQPainterFrame, fill, " fills");
    reporter.print_ratio("QPainter frame / KELTO frame", kQPainterFrame, kFrame);
#else
    std::printf("QPainter frame: not built (no Qt display in this build)\n");
#endif
    return 0;
}
