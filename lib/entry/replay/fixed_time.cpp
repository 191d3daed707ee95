// time() for a replayed program: always the time the runner was given.
#include "replay/fixed_time.h"

namespace kelto::replay {

namespace {
std::time_t calendar_time = 0;
}  // namespace

void set_calendar_time(std::time_t seconds) {
    calendar_time = seconds;
}

}  // namespace kelto::replay

// Linked into the program, this stands in for the C library's own.
extern "C" std::time_t time(std::time_t *out) noexcept {
    if (out) *out = kelto::replay::calendar_time;
    return kelto::replay::calendar_time;
}
