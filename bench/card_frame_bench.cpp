// How long the card designer takes to draw one full frame (background, a card
// holding 50 items of every kind, status line, panel), as a multiple of one
// plain fill of the surface's pixels measured in the same run. Goal: at most 4.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "card_designer.h"
#include "events/events.h"
#include "items.h"
#include "kelto.h"
#include "panel.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "support/measured_reporter.h"

namespace {

constexpr const char *kFrame = "card_frame";
constexpr const char *kFill = "surface_fill";

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

// A full card: shapes of all four designs and messages of all six phrases,
// spread over a grid on the card, in assorted colours.
CardModel full_card() {
    CardModel model;
    card_random_seed(model.random, 1);
    for (int i = 0; i < MAX_ITEMS; ++i) {
        const int x = -120 + (i % 10) * 34;
        const int y = 170 - (i / 10) * 60;
        if (i % 2 == 0) {
            add_shape(x, y, model);
            model.variant[i] = (i / 2) % SHAPE_DESIGNS;
        } else {
            add_message(x, y, model);
            model.variant[i] = (i / 2) % PHRASE_COUNT;
        }
        model.color[i] = i % PALETTE_SIZE;
    }
    return model;
}

void card_frame(benchmark::State &state) {
    open_library();
    CardModel model = full_card();
    for (auto _ : state) {
        draw_background();
        draw_card(model);
        draw_panel(model.highlight);
    }
    benchmark::DoNotOptimize(kelto::events::state().surface->pixels.data());
}
BENCHMARK(card_frame)->Name(kFrame)->Unit(benchmark::kMicrosecond);

void surface_fill(benchmark::State &state) {
    open_library();
    std::vector<uint32_t> &pixels = kelto::events::state().surface->pixels;
    uint32_t value = 0;
    for (auto _ : state) {
        std::fill(pixels.begin(), pixels.end(), value++);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(surface_fill)->Name(kFill)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
    // Processor time: the ratio stays meaningful on a loaded machine.
    kelto::bench::MeasuredReporter reporter(kelto::bench::MeasuredReporter::Clock::Cpu);
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("frame / fill ratio", kFrame, kFill,
                         " surface fills per frame (goal: at most 4)");
    return 0;
}
