// How fast a recorded script plays back: a 10,000-event script played headless
// through the card designer's main loop, every event followed by a full
// redraw, and through the bare event wait. Playback is not paced by the
// 100 ms animation timer, so the figure judged is the ratio of events played
// per second to the ten per second that timer-paced animation delivers.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "card_designer.h"
#include "console/console.h"
#include "events/events.h"
#include "events/graphics_window.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "script/script.h"
#include "support/measured_reporter.h"

namespace {

constexpr int kEvents = 10'000;
constexpr double kTimerPacedEventsPerSecond = 10.0;
constexpr const char *kCardDesigner = "playback_card_designer";
constexpr const char *kBareWait = "playback_bare_wait";

// Writes "KELTO.SCR" with kEvents events in cycles of ten: a panel click that
// picks a mode, a click on the card, a run of seven ticks and a typed letter.
void write_script() {
    std::ofstream out("KELTO.SCR");
    for (int i = 0; i < kEvents / 10; ++i) {
        out << "KELTO_MOUSE(-250, " << (i % 2 == 0 ? 90 : 125) << ");\n";
        out << "KELTO_MOUSE(" << -120 + (i * 37) % 320 << ", " << -130 + (i * 53) % 310 << ");\n";
        out << "KELTO_PERIODIC(7);\n";
        out << "KELTO_KBD(" << 'a' + i % 26 << ");\n";
    }
}

// Runs each benchmark in a temporary current directory holding the script.
class ScriptDirectory {
public:
    ScriptDirectory() : previous_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelto-playback-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        std::filesystem::current_path(dir_);
        write_script();
    }
    ~ScriptDirectory() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    ScriptDirectory(const ScriptDirectory &) = delete;
    ScriptDirectory &operator=(const ScriptDirectory &) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

void count_events(benchmark::State &state) {
    state.counters["events_per_second"] =
        benchmark::Counter(kEvents, benchmark::Counter::kIsIterationInvariantRate);
}

// The card designer starts, playback is switched on from the menu as soon as
// it waits, and once the script has ended the window is closed.
void playback_card_designer(benchmark::State &state) {
    ScriptDirectory directory;
    for (auto _ : state) {
        kelto::platform::HeadlessDisplay &display = kelto::platform::use_headless_display();
        display.after(0, [&display] {
            display.menu_command(kelto::events::state().graphics_window,
                                 kelto::events::CMD_PLAYBACK);
        });
        display.after(1, [&display] { display.close_box(kelto::events::state().graphics_window); });
        card_designer_main(nullptr, nullptr, nullptr, 1);
        if (kelto::console::console_lines().back() !=
            "EOF encountered in script file KELTO.SCR\n") {
            state.SkipWithError("the script was not played to its end");
            break;
        }
    }
    count_events(state);
}
BENCHMARK(playback_card_designer)->Name(kCardDesigner)->Unit(benchmark::kMillisecond);

// The event wait and the script reader alone, with nothing drawn.
void playback_bare_wait(benchmark::State &state) {
    ScriptDirectory directory;
    kelto::platform::use_headless_display();
    KELTO_open(nullptr, nullptr, nullptr, 1);
    KELTO_logging(0);
    for (auto _ : state) {
        // Each pass plays the script from its first line.
        kelto::script::close();
        kelto::script::start_playback();
        int x = 0;
        int y = 0;
        char key = 0;
        for (int i = 0; i < kEvents; ++i) benchmark::DoNotOptimize(KELTO_await_event(&x, &y, &key));
    }
    count_events(state);
    KELTO_close();
}
BENCHMARK(playback_bare_wait)->Name(kBareWait)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    kelto::bench::MeasuredReporter reporter;
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    for (const auto &[name, rate] : reporter.counter("events_per_second"))
        std::printf("%s: %.0f events/s, %.0f times the %.0f events/s of timer-paced animation\n",
                    name.c_str(), rate, rate / kTimerPacedEventsPerSecond,
                    kTimerPacedEventsPerSecond);
    return 0;
}
