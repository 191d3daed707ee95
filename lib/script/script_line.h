// The lines of the script file: the text the recorder writes for an event,
// and whether a line is exactly such a text.
#pragma once

#include <string>
#include <string_view>

#include "script/event.h"

namespace kelto::script {

// The line for one event, newline included: "KELTO_MOUSE(x, y);",
// "KELTO_KBD(key);" with the key as a signed value, or "KELTO_PERIODIC(count);".
// Empty for a kind that has no line.
std::string event_line(EventKind kind, int x, int y, signed char key, int periodic_count);

// Whether `line` (without a newline) is a complete event line of one of the
// three forms, every number a decimal int (the periodic count without a sign)
// and nothing before or after it.
bool is_complete_event_line(std::string_view line);

}  // namespace kelto::script
