// The library's behaviour that a script can express, through the replay
// runner: a click, a key, the picture after each wait, and waits and calls
// made before KELTO_open. One program (programs/before_open.cpp) runs twice
// in each case: in its replay runner with the actions as its script, and here
// on the headless display, where a user performs the same actions and then
// chooses Quit from the Run menu. The runner must hand the program the same
// events, so that it returns the same status, prints the same lines and
// shows the same frames.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "console/console.h"
#include "events/events.h"
#include "events/graphics_window.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/read_png.h"

namespace kelto::test {
namespace {

namespace fs = std::filesystem;
using platform::HeadlessDisplay;

// What one run of the program left: its status, its console, and every
// picture its graphics window showed, in order.
struct Outcome {
    int status = -1;
    std::string console;
    std::vector<std::vector<uint32_t>> frames;
};

std::string read_file(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The console as the runner writes it: each line printed, ended by a newline.
void add_line(std::string &console, const std::string &line) {
    console += line.empty() || line.back() != '\n' ? line + '\n' : line;
}

// The program in its replay runner, with the script as its user.
Outcome in_runner(const std::string &script) {
    std::ofstream("KELTO.SCR") << script;
    const std::string command = std::string(BEFORE_OPEN_REPLAY) +
                                " --script KELTO.SCR --console runner.txt --frames frames";
    const int raw = std::system(command.c_str());
    Outcome outcome;
    if (!WIFEXITED(raw)) return outcome;
    outcome.status = WEXITSTATUS(raw);
    outcome.console = read_file("runner.txt");
    std::vector<fs::path> frames;
    for (const fs::directory_entry &entry : fs::directory_iterator("frames"))
        frames.push_back(entry.path());
    std::sort(frames.begin(), frames.end());
    for (const fs::path &frame : frames) outcome.frames.push_back(read_png(frame.string()).pixels);
    return outcome;
}

// One thing a user does on the headless display.
using Action = std::function<void(HeadlessDisplay &)>;

platform::WindowHandle graphics_window() {
    return events::state().graphics_window;
}

// A click at program point (x, y) of the graphics window.
Action click(int x, int y) {
    return [x, y](HeadlessDisplay &display) {
        const auto client = platform::window_system().client_rect(graphics_window());
        display.click(graphics_window(), client.width() / 2 + x, client.height() / 2 - y);
    };
}

// A lower-case letter typed in the graphics window.
Action key(char letter) {
    return [letter](HeadlessDisplay &display) {
        display.key(graphics_window(), static_cast<unsigned>(std::toupper(letter)),
                    static_cast<unsigned char>(letter));
    };
}

std::vector<std::string> printed;

void collect(const char *line) {
    printed.emplace_back(line);
}

int instance_token;

// The program on the headless display, whose user performs the actions a
// second apart once the program waits, then chooses Quit from the Run menu.
// Runs once per process: the library's state is the process's.
Outcome on_display(std::vector<Action> actions) {
    HeadlessDisplay &display = platform::use_headless_display();
    Outcome outcome;
    console::state().line_printed = collect;
    display.on_client_changed([&outcome, &display](platform::WindowHandle window) {
        if (window == graphics_window())
            outcome.frames.push_back(display.client_image(window)->pixels);
    });
    actions.push_back(
        [](HeadlessDisplay &user) { user.menu_command(graphics_window(), events::CMD_QUIT); });
    int64_t at = 0;
    for (Action &action : actions) {
        display.after(at, [&display, action = std::move(action)] { action(display); });
        at += 1000;
    }
    char command_line[] = "";
    outcome.status = KELTO_main(&instance_token, nullptr, command_line, platform::SW_SHOWNORMAL);
    display.on_client_changed(nullptr);
    for (const std::string &line : printed) add_line(outcome.console, line);
    return outcome;
}

// The same program, played the script in the runner and given the same input
// on the display, behaves the same. Only the runner says where its script
// ended, once, just before the quit that follows.
void expect_same(const Outcome &runner, const Outcome &display) {
    EXPECT_EQ(runner.status, display.status);
    const std::string ended = "EOF encountered in script file KELTO.SCR\n";
    std::string runner_console = runner.console;
    const std::size_t at = runner_console.find(ended);
    ASSERT_NE(at, std::string::npos) << runner_console;
    runner_console.erase(at, ended.size());
    EXPECT_EQ(runner_console, display.console);
    ASSERT_EQ(runner.frames.size(), display.frames.size());
    ASSERT_FALSE(display.frames.empty());
    for (std::size_t i = 0; i < display.frames.size(); ++i)
        EXPECT_TRUE(runner.frames[i] == display.frames[i]) << "frame " << i + 1 << " differs";
}

bool contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

TEST(RunnerBehaviour, ClicksGiveCentredCoordinatesWithYGrowingUpwards) {
    const Outcome runner =
        in_runner("KELTO_MOUSE(0, 0);\nKELTO_MOUSE(10, 20);\nKELTO_MOUSE(-200, -150);\n");
    const Outcome display = on_display({click(0, 0), click(10, 20), click(-200, -150)});
    expect_same(runner, display);
    EXPECT_TRUE(contains(display.console,
                         "event 1 (0, 0, 0)\nevent 1 (10, 20, 0)\nevent 1 (-200, -150, 0)\n"))
        << display.console;
}

TEST(RunnerBehaviour, APlainLetterIsAKeyEvent) {
    const Outcome runner = in_runner("KELTO_KBD(97);\nKELTO_KBD(122);\n");
    const Outcome display = on_display({key('a'), key('z')});
    expect_same(runner, display);
    EXPECT_TRUE(contains(display.console, "event 2 (0, 0, 97)\nevent 2 (0, 0, 122)\n"))
        << display.console;
}

TEST(RunnerBehaviour, TheWindowShowsWhatWasDrawnAfterEachWait) {
    const Outcome runner = in_runner("KELTO_KBD(98);\nKELTO_MOUSE(30, -40);\nKELTO_KBD(99);\n");
    const Outcome display = on_display({key('b'), click(30, -40), key('c')});
    expect_same(runner, display);
    // Each event's mark is shown at the next wait: the last three frames
    // each add one.
    const std::size_t frames = display.frames.size();
    ASSERT_GE(frames, 4u);
    for (std::size_t i = frames - 3; i < frames; ++i)
        EXPECT_FALSE(display.frames[i] == display.frames[i - 1]) << "frame " << i + 1;
}

TEST(RunnerBehaviour, AWaitBeforeOpenIsToldToQuitAndTheScriptKeepsItsEvents) {
    const Outcome runner = in_runner("KELTO_KBD(97);\nKELTO_MOUSE(5, 6);\n");
    const Outcome display = on_display({key('a'), click(5, 6)});
    expect_same(runner, display);
    EXPECT_TRUE(contains(display.console, "wait 4 (0, 0, 0)\n")) << display.console;
    EXPECT_TRUE(contains(display.console, "event 2 (0, 0, 97)\nevent 1 (5, 6, 0)\n"))
        << display.console;
    EXPECT_EQ(display.status, 2);
}

}  // namespace
}  // namespace kelto::test
