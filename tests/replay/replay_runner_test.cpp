// The replay runner from the outside: its arguments and errors, what it
// writes, that it is deterministic, how --ticks ends a run, and every example
// run against a short script. Each test runs in a fresh working directory.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/read_png.h"

namespace {

namespace fs = std::filesystem;

// The graphics window's client area on the headless display is 595 x 490.
constexpr int kWidth = 595;
constexpr int kHeight = 490;
constexpr int kOriginX = 297;
constexpr int kOriginY = 245;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string read_file(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs a command line (arguments already quoted) and collects its output.
Outcome run(const std::string &command) {
    const int raw = std::system((command + " >out.txt 2>err.txt").c_str());
    Outcome result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = read_file("out.txt");
    result.err = read_file("err.txt");
    return result;
}

std::string script(const std::string &name) {
    return std::string(KELTO_REPLAY_SCRIPTS) + "/" + name + ".scr";
}

// The short script an example is shown with.
std::string example_script(const std::string &name) {
    return std::string(KELTO_EXAMPLE_SCRIPTS) + "/" + name + ".scr";
}

int count_lines(const std::string &text) {
    int lines = 0;
    for (const char c : text) lines += c == '\n';
    return lines;
}

// A PNG read back, with its pixels addressed as the program addresses them.
struct Picture : kelto::test::PngPicture {
    // The pixel under program point (x, y).
    uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>((kOriginY - y) * width + kOriginX + x)];
    }
    int count(uint32_t colour) const {
        int n = 0;
        for (const uint32_t p : pixels) n += p == colour;
        return n;
    }
};

Picture read_png(const std::string &path) {
    return Picture{kelto::test::read_png(path)};
}

TEST(ReplayArguments, HelpSaysWhatEachOptionDoes) {
    const Outcome help = run(std::string(EVENT_LOG_REPLAY) + " --help");
    EXPECT_EQ(help.status, 0);
    for (const char *option :
         {"--script", "--ticks", "--time", "--png", "--console", "--frames", "--client", "--line"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(help.err, "");
}

TEST(ReplayArguments, ProblemsAreOneLineAndStatusTwoWithNothingWritten) {
    const std::string runner = EVENT_LOG_REPLAY;
    const std::string events = script("events");
    fs::create_directory("ro");
    fs::permissions("ro", fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::string &arguments : {
             std::string("--colour red"),
             std::string("stray"),
             std::string("--ticks"),
             std::string("--ticks -1"),
             std::string("--ticks many"),
             std::string("--time 12x"),
             std::string("--client 700x100"),
             std::string("--client 10"),
             std::string("--script missing.scr --png p.png"),
             std::string("--script . --png p.png"),
             "--script " + events + " --png no/such/folder/p.png --console c.txt",
             "--script " + events + " --console c.txt --png ro/p.png",
             "--script " + events + " --console c.txt --frames /proc/frames",
         }) {
        // Permissions do not hold back the superuser.
        if (getuid() == 0 && arguments.find("ro/") != std::string::npos) continue;
        const Outcome result = run(runner + " " + arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_EQ(count_lines(result.err), 1) << arguments << ": " << result.err;
        EXPECT_FALSE(fs::exists("p.png") || fs::exists("c.txt")) << arguments;
        EXPECT_TRUE(fs::is_empty("ro")) << arguments;
    }
    // Nothing partial is left beside the outputs either.
    for (const auto &entry : fs::directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().find(".partial-"), std::string::npos)
            << entry.path();
}

TEST(ReplayRun, EventsOfTheScriptThenTheTicksThenQuit) {
    const Outcome result = run(std::string(EVENT_LOG_REPLAY) + " --script " + script("events") +
                               " --ticks 3 --console console.txt");
    EXPECT_EQ(result.status, 7) << "the program's own status";
    EXPECT_EQ(read_file("console.txt"),
              "mouse 10 -20\n"
              "periodic\n"
              "periodic\n"
              "key 97\n"
              "EOF encountered in script file " +
                  script("events") +
                  "\n"
                  "periodic\n"
                  "periodic\n"
                  "periodic\n"
                  "quit\n");
}

TEST(ReplayRun, WithoutTicksTheEndOfTheScriptIsTheQuit) {
    std::ofstream("KELTO.SCR") << "KELTO_KBD(98);\n";
    const Outcome result = run(std::string(EVENT_LOG_REPLAY) + " --console console.txt");
    EXPECT_EQ(result.status, 7);
    EXPECT_EQ(read_file("console.txt"), "key 98\nEOF encountered in script file KELTO.SCR\nquit\n");
}

TEST(ReplayRun, AProgramThatIgnoresItsQuitIsStopped) {
    std::ofstream("KELTO.SCR") << "";
    const Outcome result = run(std::string(NEVER_QUITS_REPLAY) + " --png picture.png");
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(count_lines(result.err), 1);
    EXPECT_NE(result.err.find("stopped"), std::string::npos);
    // What it showed is still written.
    EXPECT_EQ(read_png("picture.png").at(0, 0), 0x00FF00u);
}

// The runner's own status for a command line: how it exited or which
// signal ended it.
int raw_status(const std::string &command) {
    return std::system(("exec " + command + " >out.txt 2>err.txt").c_str());
}

TEST(ReplayLastWords, ACrashOrAStopLeavesWhatWasShownAndPrinted) {
    const std::string runner =
        std::string(CRASHES_WHEN_TOLD_REPLAY) + " --png picture.png --console console.txt";
    std::ofstream("KELTO.SCR") << "KELTO_KBD(110);\n";
    ASSERT_EQ(run(runner).status, 0);
    const Picture ended = read_png("picture.png");
    ASSERT_EQ(ended.width, kWidth);
    EXPECT_EQ(ended.at(0, 0), 0x00FF00u) << "the box was shown, the circle after it was not";

    for (const auto &[key, number] : {std::pair{'s', SIGSEGV}, std::pair{'r', SIGSEGV},
                                      std::pair{'a', SIGABRT}, std::pair{'t', SIGTERM}}) {
        fs::remove("picture.png");
        fs::remove("console.txt");
        std::ofstream("KELTO.SCR") << "KELTO_KBD(" << int{key} << ");\n";
        const int status = raw_status(runner);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == number) << key << " " << status;
        EXPECT_EQ(read_file("console.txt"), std::string("before\nkey ") + key + "\n") << key;
        const Picture shown = read_png("picture.png");
        EXPECT_TRUE(shown.width == ended.width && shown.pixels == ended.pixels) << key;
        for (const auto &entry : fs::directory_iterator("."))
            EXPECT_EQ(entry.path().filename().string().find(".partial-"), std::string::npos)
                << key << ": " << entry.path();
    }
}

TEST(ReplayRun, FramesArePicturesOfWhatWasShown) {
    const Outcome result = run(std::string(BOUNCING_BALL_REPLAY) + " --script " +
                               example_script("bouncing_ball") + " --frames frames --png last.png");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator("frames"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 6u) << "the first picture and one per tick";
    EXPECT_EQ(names.front(), "frame-00001.png");
    EXPECT_EQ(read_file("frames/" + names.back()), read_file("last.png"));
}

TEST(ReplayDeterminism, TheSameRunGivesTheSameBytes) {
    const std::string command = std::string(CARD_DESIGNER_REPLAY) + " --script " +
                                example_script("click_to_draw") + " --ticks 5 --png ";
    ASSERT_EQ(run(command + "first.png").status, 0);
    ASSERT_EQ(run(command + "second.png").status, 0);
    EXPECT_EQ(read_file("first.png"), read_file("second.png"));
    EXPECT_FALSE(read_file("first.png").empty());
    // Another calendar time seeds the card designer's random designs otherwise.
    ASSERT_EQ(run(command + "other.png --time 123456789").status, 0);
    EXPECT_NE(read_file("first.png"), read_file("other.png"));
}

TEST(ReplayClient, TheClientSizeMovesTheOrigin) {
    const std::string command = std::string(CLICK_TO_DRAW_REPLAY) + " --script " +
                                example_script("click_to_draw") + " --png ";
    ASSERT_EQ(run(command + "usual.png").status, 0);
    ASSERT_EQ(run(command + "desktop.png --client 601x517").status, 0);
    const Picture usual = read_png("usual.png");
    const Picture desktop = read_png("desktop.png");
    EXPECT_EQ(usual.width, kWidth);
    EXPECT_EQ(usual.height, kHeight);
    EXPECT_EQ(desktop.width, 601);
    EXPECT_EQ(desktop.height, 517);
    // The last click's dot is at the centre plus (150, 20) in both.
    EXPECT_EQ(usual.at(150, 20), 0xFF0000u);
    EXPECT_EQ(desktop.pixels[static_cast<std::size_t>((258 - 20) * 601 + 300 + 150)], 0xFF0000u);
}

// ---- Every example, run against a short script.

TEST(ReplayExamples, ShapesAndColours) {
    const Outcome result =
        run(std::string(SHAPES_AND_COLOURS_REPLAY) + " --script " +
            example_script("shapes_and_colours") + " --png p.png --console c.txt");
    ASSERT_EQ(result.status, 0) << result.err;
    const Picture picture = read_png("p.png");
    // Swatch c is drawn at (-290 + (c % 6) * 97, 235 - (c / 6) * 55), 85 x 30.
    const uint32_t palette[] = {0x000000, 0xFF0000, 0x9900CC, 0xCCCCCC};
    const int colours[] = {0, 2, 8, 23};
    for (int i = 0; i < 4; ++i) {
        const int c = colours[i];
        EXPECT_EQ(picture.at(-290 + (c % 6) * 97 + 40, 235 - (c / 6) * 55 - 15), palette[i]) << c;
    }
    EXPECT_EQ(picture.at(-230, -90), 0xFF0000u) << "the red disc";
    // The tutorial shows this picture; make it again with
    //   shapes_and_colours-replay --script examples/scripts/shapes_and_colours.scr
    //   --png docs/colours.png
    EXPECT_TRUE(read_png(KELTO_SOURCE_DIR "/docs/colours.png").pixels == picture.pixels);
    const std::string console = read_file("c.txt");
    EXPECT_NE(console.find("red circle at (-230,-90), radius 40\n"), std::string::npos);
    EXPECT_NE(console.find("purple line from (150,-50) to (280,-130), width 3\n"),
              std::string::npos);
}

TEST(ReplayExamples, BouncingBall) {
    const Outcome result = run(std::string(BOUNCING_BALL_REPLAY) + " --script " +
                               example_script("bouncing_ball") + " --ticks 3 --png p.png");
    ASSERT_EQ(result.status, 0) << result.err;
    // Eight frames of (12, 7): the ball is at (96, 56).
    const Picture picture = read_png("p.png");
    EXPECT_EQ(picture.at(96, 56), 0xFF0000u);
    EXPECT_EQ(picture.at(0, 0), 0xFFFFFFu);
}

TEST(ReplayExamples, ClickToDraw) {
    const Outcome result = run(std::string(CLICK_TO_DRAW_REPLAY) + " --script " +
                               example_script("click_to_draw") + " --png p.png");
    ASSERT_EQ(result.status, 0) << result.err;
    // "c" cleared the first two points; the last two are joined by a line.
    const Picture picture = read_png("p.png");
    EXPECT_EQ(picture.at(97, 100), 0xFF0000u) << "the dot beside the line's start";
    EXPECT_EQ(picture.at(150, 20), 0xFF0000u);
    EXPECT_EQ(picture.at(-100, 50), 0xFFFFFFu);
    EXPECT_EQ(picture.at(125, 60), 0x0000FFu);
}

TEST(ReplayExamples, TypedKeys) {
    const Outcome result = run(std::string(TYPED_KEYS_REPLAY) + " --script " +
                               example_script("typed_keys") + " --png p.png --console c.txt");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(read_file("c.txt"),
              "key 72\nkey 105\nkey 120\nkey 8\nkey 33\nEOF encountered in script file " +
                  example_script("typed_keys") + "\n");
    EXPECT_GT(read_png("p.png").count(0x000000), 100) << "the typed line";
}

TEST(ReplayExamples, AskName) {
    const std::string command =
        std::string(ASK_NAME_REPLAY) + " --script " + example_script("ask_name");
    ASSERT_EQ(run(command + " --line Ada --png ada.png").status, 0);
    ASSERT_EQ(run(command + " --line Grace --png grace.png").status, 0);
    ASSERT_EQ(run(command + " --png nobody.png").status, 0);
    const Picture ada = read_png("ada.png");
    EXPECT_GT(ada.count(0x003399), 200) << "the greeting in navy blue";
    EXPECT_NE(read_file("ada.png"), read_file("grace.png"));
    EXPECT_NE(read_file("ada.png"), read_file("nobody.png"));
}

TEST(ReplayExamples, CatchTheSquare) {
    const std::string command = std::string(CATCH_THE_SQUARE_REPLAY) + " --script " +
                                example_script("catch_the_square") + " --png ";
    ASSERT_EQ(run(command + "a.png").status, 0);
    ASSERT_EQ(run(command + "b.png").status, 0);
    EXPECT_EQ(read_file("a.png"), read_file("b.png"));
    // A hundred ticks are ten jumps: the round is over, with no square left.
    const Picture picture = read_png("a.png");
    EXPECT_EQ(picture.count(0xFF6600), 0);
    EXPECT_GT(picture.count(0x003399), 200);
}

}  // namespace
