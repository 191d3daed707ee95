// Measures the CPU time the event wait uses while a program sits idle on the
// real clock: halted, with the 100 ms timer running and no input for three
// seconds. Prints the ratio of CPU time to wall time (goal: under 2%).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace {

int instance_token;

double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void IdleWait(benchmark::State &state) {
    kelto::platform::HeadlessDisplay &display = kelto::platform::use_headless_display();
    display.use_real_clock();
    KELTO_open(&instance_token, nullptr, nullptr, 1);
    const kelto::platform::WindowHandle graphics = kelto::events::state().graphics_window;
    double ratio = 0;
    for (auto _ : state) {
        constexpr int kIdleMs = 3000;
        display.after(display.now_ms() + kIdleMs, [&] { display.key(graphics, 'Q', 'q'); });
        const auto wall_start = std::chrono::steady_clock::now();
        const double cpu_start = cpu_seconds();
        int x, y;
        char key;
        benchmark::DoNotOptimize(KELTO_await_event(&x, &y, &key));
        const double cpu = cpu_seconds() - cpu_start;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
        ratio = cpu / wall;
    }
    state.counters["cpu_per_wall"] = ratio;
    std::printf("idle wait cpu/wall ratio: %.4f (%.2f%%; goal under 2%%)\n", ratio, 100 * ratio);
}
BENCHMARK(IdleWait)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
