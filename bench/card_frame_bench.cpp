// How long the card designer takes to draw its busiest frame (background, a
// full card of 50 items, status line, panel), as a multiple of one fill of the
// surface's bytes measured in the same run, and the same frame drawn with
// QPainter on a QImage of the same size, as a peer. Goals: at most 3 fills,
// and at least 5 times cheaper than the peer. The same frame without its
// items shows how much of it the large boxes and the panel take, which no
// shape drawing can save.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "card_designer.h"
#include "events/events.h"
#include "items.h"
#include "kelto.h"
#include "panel.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "support/fill_baseline.h"
#include "support/measured_reporter.h"

#if KELTO_BENCH_QT
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "support/qpainter_card.h"
#endif

namespace {

constexpr const char *kFrame = "card_frame_kelto";
constexpr const char *kPeerFrame = "card_frame_qpainter";
constexpr const char *kEmptyFrame = "card_frame_without_items";

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

// The busiest card: ten of each of the four shape designs and ten messages
// (30 discs, 80 triangles, about 135 lines, 17 texts with the panel and the
// status line), spread over a grid on the card in assorted colours.
CardModel busiest_card() {
    CardModel model;
    card_random_seed(model.random, 1);
    for (int i = 0; i < MAX_ITEMS; ++i) {
        const int x = -120 + (i % 10) * 34;
        const int y = 170 - (i / 10) * 60;
        if (i % 5 < SHAPE_DESIGNS) {
            add_shape(x, y, model);
            model.variant[i] = i % 5;
        } else {
            add_message(x, y, model);
            model.variant[i] = (i / 5) % PHRASE_COUNT;
        }
        model.color[i] = i % PALETTE_SIZE;
    }
    return model;
}

// Draws the card designer's frame of `model` repeatedly.
void draw_frames(benchmark::State &state, CardModel model) {
    open_library();
    for (auto _ : state) {
        draw_background();
        draw_card(model);
        draw_panel(model.highlight);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(kelto::events::surface().image().pixels.data());
}

void card_frame_kelto(benchmark::State &state) {
    draw_frames(state, busiest_card());
}
BENCHMARK(card_frame_kelto)->Name(kFrame)->Unit(benchmark::kMicrosecond);

void card_frame_without_items(benchmark::State &state) {
    draw_frames(state, CardModel{});
}
BENCHMARK(card_frame_without_items)->Name(kEmptyFrame)->Unit(benchmark::kMicrosecond);

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
    CardModel model = busiest_card();
    for (auto _ : state) {
        QPainter painter(&image);
        kelto::bench::QPainterCard(painter, surface.origin_x(), surface.origin_y())
            .draw_frame(model);
        painter.end();
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(card_frame_qpainter)->Name(kPeerFrame)->Unit(benchmark::kMicrosecond);

#endif

}  // namespace

int main(int argc, char **argv) {
    // Processor time: the ratios stay meaningful on a loaded machine.
    kelto::bench::MeasuredReporter reporter(kelto::bench::MeasuredReporter::Clock::Cpu);
    kelto::bench::register_fill_baselines();
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    const std::string fill = kelto::bench::print_fill_baseline(reporter);
    reporter.print_ratio("KELTO frame", kFrame, fill, " fills (goal: at most 3)");
    reporter.print_ratio("  of which the frame without its 50 items", kEmptyFrame, fill, " fills");
#if KELTO_BENCH_QT
    reporter.print_ratio("QPainter frame", kPeerFrame, fill, " fills");
    reporter.print_ratio("QPainter frame / KELTO frame", kPeerFrame, kFrame, " (goal: at least 5)");
#endif
    return 0;
}
