// The card designer's busiest frame drawn by a real program between its
// waits: at each animation tick a batch of frames, then the wait, in which
// the display shows the last one. Built as a program on the build's display
// (with Qt, the toolkit paints on the main thread while this runs on the
// program thread) and as its replay runner on the headless display;
// program_thread_frame_bench runs both in turn. Logging is off. The replay
// runner's virtual clock ticks at once, so each batch starts a tick after
// the last one's start on either display: both draw after the same idle
// spell. Prints the best batch's time per frame in nanoseconds, as
// processor time of this thread and as steady-clock time, and in how many
// batches the processor's upper vector state was in use as drawing began
// (-1 where the processor cannot tell), of how many:
//   frame_ns <processor> <steady> <dirty batches> <batches>
#include <errno.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "card_designer.h"
#include "kelto.h"
#include "panel.h"
#include "support/busiest_card.h"
#include "support/upper_vector_state.h"

namespace {

constexpr int kBatches = 30;
constexpr int kFramesPerBatch = 30;
constexpr std::int64_t kTickNs = 100'000'000;

std::int64_t nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Sleeps until the steady clock reads `ns`.
void sleep_until(std::int64_t ns) {
    const timespec until{static_cast<time_t>(ns / 1'000'000'000),
                         static_cast<long>(ns % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

}  // namespace

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_show_text(0);
    KELTO_run_control(RUN_ANIMATE);
    CardModel model = kelto::bench::busiest_card();
    std::int64_t best_processor = std::numeric_limits<std::int64_t>::max();
    std::int64_t best_steady = best_processor;
    std::int64_t last_start = 0;
    int batches = 0, dirty = 0, x = 0, y = 0;
    char key = 0;
    while (batches < kBatches) {
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event != KELTO_PERIODIC) continue;
        if (batches > 0) sleep_until(last_start + kTickNs);
        if (kelto::bench::upper_vector_state() == kelto::bench::UpperState::InUse) ++dirty;
        const std::int64_t processor = nanoseconds(CLOCK_THREAD_CPUTIME_ID);
        const std::int64_t steady = nanoseconds(CLOCK_MONOTONIC);
        last_start = steady;
        for (int frame = 0; frame < kFramesPerBatch; ++frame) {
            draw_background();
            draw_card(model);
            draw_panel(model.highlight);
        }
        best_processor = std::min(best_processor, nanoseconds(CLOCK_THREAD_CPUTIME_ID) - processor);
        best_steady = std::min(best_steady, nanoseconds(CLOCK_MONOTONIC) - steady);
        ++batches;
    }
    KELTO_close();
    if (batches < kBatches) {
        std::fprintf(stderr, "card_frames: ended after %d of %d batches\n", batches, kBatches);
        return 1;
    }
    const bool known = kelto::bench::upper_vector_state() != kelto::bench::UpperState::Unknown;
    std::printf(
        "frame_ns %lld %lld %d %d\n", static_cast<long long>(best_processor / kFramesPerBatch),
        static_cast<long long>(best_steady / kFramesPerBatch), known ? dirty : -1, kBatches);
    std::fflush(stdout);
    return 0;
}
