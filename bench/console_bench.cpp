// What logging a drawing call costs. A logged KELTO_pixel, whose sentence
// goes to the console, against the least a plain program can do for the same
// line: format it with snprintf and append it to a ring of 25 lines. And the
// time a program of 200,000 logged KELTO_pixel calls takes in the replay
// runner, console file included. Goals: at most 3 times the plain line;
// under a second for the program.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "draw/palette.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/system.h"
#include "support/measured_reporter.h"

extern char **environ;

namespace {

constexpr const char *kLoggedCall = "console_logged_pixel";
constexpr const char *kPlainLine = "console_snprintf_ring";
constexpr const char *kRunner = "console_runner_200000_logged_pixels";
constexpr const char *kSentence = "%s pixel at (%d,%d)\n";

// The points of a plotting loop, as the program in the runner draws them.
int point_x(int i) {
    return i % 500 - 250;
}
int point_y(int i) {
    return i / 500 % 400 - 200;
}

void console_logged_pixel(benchmark::State &state) {
    static int instance = 0;
    kelto::platform::use_headless_display();
    KELTO_open(&instance, nullptr, nullptr, 1);
    int i = 0;
    for (auto _ : state) {
        KELTO_pixel(RED, point_x(i), point_y(i));
        i = i + 1 == 200000 ? 0 : i + 1;
    }
}
BENCHMARK(console_logged_pixel)->Name(kLoggedCall);

void console_snprintf_ring(benchmark::State &state) {
    std::array<std::string, 25> ring;
    std::size_t next = 0;
    char line[1024];
    int i = 0;
    for (auto _ : state) {
        std::snprintf(line, sizeof line, kSentence, kelto::draw::palette_name(RED), point_x(i),
                      point_y(i));
        ring[next].assign(line);
        next = next + 1 == ring.size() ? 0 : next + 1;
        benchmark::DoNotOptimize(ring[next].data());
        i = i + 1 == 200000 ? 0 : i + 1;
    }
}
BENCHMARK(console_snprintf_ring)->Name(kPlainLine);

#ifdef LOGGED_PIXELS_REPLAY
double seconds(const timeval &time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// The runner with an empty script, writing the console to a file, in a
// temporary directory.
void console_runner(benchmark::State &state) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("kelto-console-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string script = (dir / "empty.scr").string();
    const std::string console = (dir / "console.txt").string();
    std::ofstream(script).close();
    std::string runner = LOGGED_PIXELS_REPLAY;
    std::string script_option = "--script=" + script;
    std::string console_option = "--console=" + console;
    char *argv[] = {runner.data(), script_option.data(), console_option.data(), nullptr};
    double cpu_seconds = 0;
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) != 0 ||
            wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the replay runner did not run the program to its end");
            break;
        }
        const double used = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        cpu_seconds = cpu_seconds == 0 ? used : std::min(cpu_seconds, used);
    }
    state.counters["runner_cpu_s"] = cpu_seconds;
    std::filesystem::remove_all(dir);
}
BENCHMARK(console_runner)
    ->Name(kRunner)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
#endif

}  // namespace

int main(int argc, char **argv) {
    kelto::bench::MeasuredReporter reporter(kelto::bench::MeasuredReporter::Clock::Cpu);
    if (!kelto::bench::run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("logged KELTO_pixel / snprintf of its sentence + ring append", kLoggedCall,
                         kPlainLine, " (goal: at most 3)");
    for (const auto &[name, cpu] : reporter.counter("runner_cpu_s"))
        std::printf(
            "200,000 logged KELTO_pixel calls in the replay runner: %.2f s of CPU, the "
            "whole run (goal: under 1 s)\n",
            cpu);
    return 0;
}
