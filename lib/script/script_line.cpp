// The three forms of the script's event lines, written and recognised.
#include "script/script_line.h"

#include <charconv>
#include <cstdio>

namespace kelto::script {

namespace {

// Takes `prefix` off the front of `rest`, if it is there.
bool take(std::string_view &rest, std::string_view prefix) {
    if (!rest.starts_with(prefix)) return false;
    rest.remove_prefix(prefix.size());
    return true;
}

// Takes a decimal int off the front of `rest`: digits, after a minus sign
// where one is allowed, whose value fits an int.
bool take_number(std::string_view &rest, bool minus_allowed) {
    if (rest.empty() || (!minus_allowed && rest.front() == '-')) return false;
    int value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc{}) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
}

}  // namespace

std::string event_line(EventKind kind, int x, int y, signed char key, int periodic_count) {
    char line[64];
    switch (kind) {
        case EventKind::Mouse:
            std::snprintf(line, sizeof line, "KELTO_MOUSE(%d, %d);\n", x, y);
            break;
        case EventKind::Key:
            std::snprintf(line, sizeof line, "KELTO_KBD(%d);\n", static_cast<int>(key));
            break;
        case EventKind::Periodic:
            std::snprintf(line, sizeof line, "KELTO_PERIODIC(%d);\n", periodic_count);
            break;
        default: return {};
    }
    return line;
}

bool is_complete_event_line(std::string_view line) {
    if (take(line, "KELTO_MOUSE("))
        return take_number(line, true) && take(line, ", ") && take_number(line, true) &&
               line == ");";
    if (take(line, "KELTO_KBD(")) return take_number(line, true) && line == ");";
    if (take(line, "KELTO_PERIODIC(")) return take_number(line, false) && line == ");";
    return false;
}

}  // namespace kelto::script
