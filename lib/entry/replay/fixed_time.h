// The calendar time a replayed program sees. The runner defines the C
// library's time() for the program it is linked into, so a program that
// seeds its random numbers from the clock draws the same every run.
#pragma once

#include <ctime>

namespace kelto::replay {

void set_calendar_time(std::time_t seconds);

}  // namespace kelto::replay
