// The replay runner's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kelto::replay {

struct ClientSize {
    int width = 0;
    int height = 0;
};

struct ReplayOptions {
    std::string script = "KELTO.SCR";
    int ticks = 0;
    std::int64_t time = 0;
    std::optional<std::string> png;
    std::optional<std::string> console;
    std::optional<std::string> frames;
    std::optional<ClientSize> client;
    std::vector<std::string> lines;  // typed into the line input dialogs, in turn
    bool help = false;
};

// The options, or one line saying what is wrong with the arguments.
std::variant<ReplayOptions, std::string> parse_options(int argc, char **argv);

// What --help prints; `program` is the runner's name.
std::string usage(const std::string &program);

}  // namespace kelto::replay
