// One example's replay, as cmake/KeltoExamples.cmake lists it: its runner
// plays the example's script with the example's options, twice, and must
// end well, give the same bytes both times, and show the picture and print
// the console that are stored for it. A missing or outdated stored run is
// written anew when KELTO_STORE_REPLAYS is set, to be looked at and committed.
//
// Usage: example_replay_test <runner> <script> <stored run> [runner options...]
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Example {
    std::string runner;
    fs::path script;
    fs::path stored;
    std::vector<std::string> options;
};

Example &example() {
    static Example the_example;
    return the_example;
}

std::string read_file(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string shell_quoted(const std::string &text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs the runner on KELTO.SCR with the example's options; its exit status.
int run(const std::string &png, const std::string &console) {
    std::string command = shell_quoted(example().runner);
    for (const std::string &option : example().options) command += " " + shell_quoted(option);
    command += " --png " + png + " --console " + console + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// "picture <width> <height> <CRC-32 of its rows of RGB bytes>", or why not.
std::string picture_line(const std::string &path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return "no picture in " + path;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return "an unreadable picture in " + path;
    const uLong crc = crc32(crc32(0, nullptr, 0), rgb.data(), static_cast<uInt>(rgb.size()));
    char line[64];
    std::snprintf(line, sizeof line, "picture %u %u %08lx", image.width, image.height, crc);
    return line;
}

TEST(ExampleReplay, ShowsAndPrintsWhatIsStoredForIt) {
    // The script is played as KELTO.SCR, so its console lines name no folder.
    fs::copy_file(example().script, "KELTO.SCR");
    ASSERT_EQ(run("first.png", "first.txt"), 0) << read_file("err.txt");
    ASSERT_EQ(run("second.png", "second.txt"), 0) << read_file("err.txt");
    EXPECT_EQ(read_file("first.png"), read_file("second.png")) << "two runs, two pictures";
    EXPECT_EQ(read_file("first.txt"), read_file("second.txt")) << "two runs, two consoles";

    const std::string run_seen = picture_line("first.png") + "\nconsole\n" + read_file("first.txt");
    const bool stored = fs::exists(example().stored);
    if (std::getenv("KELTO_STORE_REPLAYS") != nullptr) {
        std::ofstream(example().stored, std::ios::binary) << run_seen;
        return;
    }
    ASSERT_TRUE(stored)
        << "no run is stored for this example in " << example().stored
        << "; store this one with KELTO_STORE_REPLAYS=1, look at it and commit it:\n"
        << run_seen;
    EXPECT_EQ(read_file(example().stored), run_seen)
        << "the run differs from the one stored in " << example().stored
        << " (KELTO_STORE_REPLAYS=1 stores it anew)";
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <runner> <script> <stored run> [runner options...]\n",
                     argv[0]);
        return 2;
    }
    Example &e = example();
    e.runner = argv[1];
    e.script = fs::absolute(argv[2]);
    e.stored = fs::absolute(argv[3]);
    e.options.assign(argv + 4, argv + argc);
    return RUN_ALL_TESTS();
}
