// The card designer's busiest frame drawn on the program thread of a real Qt
// program, where the toolkit runs and paints on the main thread, against the
// same frame on the headless display. Both are the program card_frames
// (programs/card_frames.cpp), built for the Qt display and as its replay
// runner; each run draws 30 batches of 30 frames at the animation ticks and
// reports its best batch. The two run in turn for several rounds (five unless
// --rounds=N), each taking the other's place first every other round; the
// ratio takes each one's best round, in processor time of the program's
// thread (and, for comparison, steady-clock time). Without a display the Qt
// program runs on a virtual X server started here, or else on Qt's offscreen
// platform. Goal: the Qt program's frame within 5 % of the headless frame.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/program_output.h"
#include "support/x_server.h"

namespace {

void print_load(const char *when) {
    std::array<double, 3> load{};
    if (getloadavg(load.data(), 3) == 3)
        std::printf("load average %s: %.2f %.2f %.2f (1, 5, 15 min; %ld cores)\n", when, load[0],
                    load[1], load[2], sysconf(_SC_NPROCESSORS_ONLN));
}

#if defined(CARD_FRAMES_PROGRAM) && defined(CARD_FRAMES_REPLAY)

struct FrameTimes {
    double processor_us;
    double steady_us;
    int dirty_batches;  // -1: the processor cannot tell
    int batches;
};

constexpr std::chrono::milliseconds kRunBound{60000};

// One run of card_frames: its best batch's time per frame.
std::optional<FrameTimes> run(std::vector<std::string> arguments) {
    std::string problem;
    const std::optional<std::string> output =
        kelto::bench::program_output(std::move(arguments), kRunBound, problem);
    long long processor_ns = 0, steady_ns = 0;
    int dirty = 0, batches = 0;
    if (!output || std::sscanf(output->c_str(), "frame_ns %lld %lld %d %d", &processor_ns,
                               &steady_ns, &dirty, &batches) != 4) {
        std::fprintf(stderr, "%s\n", output ? "card_frames printed no times" : problem.c_str());
        return std::nullopt;
    }
    return FrameTimes{static_cast<double>(processor_ns) / 1e3, static_cast<double>(steady_ns) / 1e3,
                      dirty, batches};
}

// "<n> of <batches>" batches that began with the upper vector state in use.
std::string in_use(const FrameTimes &times) {
    return times.dirty_batches < 0
               ? "? (the processor cannot tell)"
               : std::to_string(times.dirty_batches) + " of " + std::to_string(times.batches);
}

// Where the Qt program shows its windows; the server, if one was started.
std::unique_ptr<kelto::bench::XServer> choose_desktop() {
    const char *display = getenv("DISPLAY");
    if (display && *display) {
        std::printf("desktop: the display %s\n", display);
        return nullptr;
    }
    auto server = std::make_unique<kelto::bench::XServer>();
    if (server->running()) {
        setenv("DISPLAY", server->display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::printf("desktop: a virtual X server (Xvfb %s), no window manager\n",
                    server->display().c_str());
        return server;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::printf("desktop: Qt's offscreen platform (no display, no Xvfb)\n");
    return nullptr;
}

int rounds_asked(int argc, char **argv) {
    int rounds = 5;
    for (int i = 1; i < argc; ++i)
        if (std::sscanf(argv[i], "--rounds=%d", &rounds) != 1 || rounds < 1) {
            std::fprintf(stderr, "usage: %s [--rounds=N]  (N at least 1; 5 unless given)\n",
                         argv[0]);
            return 0;
        }
    return rounds;
}

#endif

}  // namespace

int main(int argc, char **argv) {
#if defined(CARD_FRAMES_PROGRAM) && defined(CARD_FRAMES_REPLAY)
    const int rounds = rounds_asked(argc, argv);
    if (rounds == 0) return 2;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("kelto-program-thread-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string script = (dir / "empty.scr").string();
    std::ofstream(script).close();
    const std::unique_ptr<kelto::bench::XServer> server = choose_desktop();
    print_load("before");

    std::optional<FrameTimes> best_qt, best_headless;
    const auto keep_best = [](std::optional<FrameTimes> &best, const FrameTimes &times) {
        if (!best) best = times;
        best->processor_us = std::min(best->processor_us, times.processor_us);
        best->steady_us = std::min(best->steady_us, times.steady_us);
    };
    bool failed = false;
    for (int round = 1; round <= rounds && !failed; ++round) {
        std::optional<FrameTimes> qt, headless;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == (round % 2 == 1))
                qt = run({CARD_FRAMES_PROGRAM});
            else
                headless = run({CARD_FRAMES_REPLAY, "--script=" + script, "--ticks=1000"});
        }
        if (!qt || !headless) {
            failed = true;
            break;
        }
        keep_best(best_qt, *qt);
        keep_best(best_headless, *headless);
        std::printf(
            "round %d: Qt program %.1f us, headless %.1f us a frame (processor time); "
            "steady clock %.1f / %.1f us; upper vector state in use as drawing began: %s / %s "
            "batches\n",
            round, qt->processor_us, headless->processor_us, qt->steady_us, headless->steady_us,
            in_use(*qt).c_str(), in_use(*headless).c_str());
    }
    print_load("after");
    std::filesystem::remove_all(dir);
    if (failed) return 1;
    std::printf("best of %d rounds: Qt program %.1f us, headless %.1f us a frame\n", rounds,
                best_qt->processor_us, best_headless->processor_us);
    std::printf("Qt program's frame / headless frame: %.3f (goal: at most 1.05)\n",
                best_qt->processor_us / best_headless->processor_us);
    std::printf("  the same in steady-clock time: %.3f (%.1f / %.1f us)\n",
                best_qt->steady_us / best_headless->steady_us, best_qt->steady_us,
                best_headless->steady_us);
    return 0;
#else
    (void)argc;
    (void)argv;
    print_load("now");
    std::printf("not built: this build has no Qt display (and a replay runner) to compare\n");
    return 0;
#endif
}
