// Reading the replay runner's arguments: "--name value" or "--name=value".
#include "replay/replay_options.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace kelto::replay {

namespace {

constexpr int kMaxTicks = 1'000'000;
constexpr int kOuterWidth = 601;
constexpr int kOuterHeight = 540;

template <class Number>
bool to_number(std::string_view text, Number &out, Number low, Number high) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool to_client_size(std::string_view text, ClientSize &out) {
    const std::size_t x = text.find('x');
    return x != std::string_view::npos && to_number(text.substr(0, x), out.width, 1, kOuterWidth) &&
           to_number(text.substr(x + 1), out.height, 1, kOuterHeight);
}

// Stores the value of `name`; an empty string when it is fine, else the problem.
std::string take(ReplayOptions &options, std::string_view name, const std::string &value) {
    if (name == "--script") {
        options.script = value;
    } else if (name == "--png") {
        options.png = value;
    } else if (name == "--console") {
        options.console = value;
    } else if (name == "--frames") {
        options.frames = value;
    } else if (name == "--line") {
        options.lines.push_back(value);
    } else if (name == "--ticks") {
        if (!to_number(value, options.ticks, 0, kMaxTicks))
            return "--ticks takes a whole number from 0 to " + std::to_string(kMaxTicks) +
                   ", not \"" + value + "\"";
    } else if (name == "--time") {
        if (!to_number<std::int64_t>(value, options.time, 0,
                                     std::numeric_limits<std::int64_t>::max()))
            return "--time takes seconds since 1970 (a whole number, 0 or more), not \"" + value +
                   "\"";
    } else if (name == "--client") {
        ClientSize size;
        if (!to_client_size(value, size))
            return "--client takes WIDTHxHEIGHT of at most 601x540, not \"" + value + "\"";
        options.client = size;
    } else {
        return "unknown option " + std::string(name) + " (see --help)";
    }
    if (value.empty() && name != "--line") return std::string(name) + " needs a value";
    return {};
}

}  // namespace

std::variant<ReplayOptions, std::string> parse_options(int argc, char **argv) {
    ReplayOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        if (!argument.starts_with("--"))
            return "unexpected argument \"" + std::string(argument) + "\" (see --help)";
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        std::string value;
        if (equals != std::string_view::npos) {
            value = std::string(argument.substr(equals + 1));
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return std::string(name) + " needs a value (see --help)";
        }
        if (std::string problem = take(options, name, value); !problem.empty()) return problem;
    }
    return options;
}

std::string usage(const std::string &program) {
    return "Usage: " + program +
           " [options]\n"
           "Runs the program without a desktop, with the events of a script as its\n"
           "user, and keeps what it shows.\n"
           "\n"
           "  --script FILE   the script to play, as if Playback were switched on before\n"
           "                  the program's first wait (default KELTO.SCR)\n"
           "  --ticks N       after the script, N more periodic events, then KELTO_QUIT\n"
           "                  (default 0)\n"
           "  --time T        the calendar time the program sees, in seconds since 1970\n"
           "                  (default 0), so that a program seeding its random numbers\n"
           "                  from the clock does the same every run\n"
           "  --png FILE      the graphics window's picture after the last event\n"
           "  --console FILE  every line printed to the text console, in order\n"
           "  --frames DIR    one picture per frame shown: DIR/frame-00001.png, ...\n"
           "  --client WxH    the size of the graphics window's client area (default\n"
           "                  595x490); give the size the recording window had\n"
           "  --line TEXT     the line typed into the next KELTO_gets dialog (repeat it\n"
           "                  for more dialogs; without one, Okay is pressed on an empty\n"
           "                  line)\n"
           "  --help          this text\n"
           "\n"
           "The exit status is the program's own; 2 when the arguments, the script or\n"
           "an output are not usable (nothing is written then); 3 when the program went\n"
           "on waiting after it was told to quit.\n";
}

}  // namespace kelto::replay
