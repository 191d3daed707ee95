// A program that calls the library before KELTO_open gets the same answers
// from the replay runner as from a display: the same return values, console
// and picture. Here the display is the headless one, played the same script
// through the Run menu's playback command and quit from it afterwards.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
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

namespace {

using namespace kelto;

constexpr const char *kScript = "KELTO_KBD(97);\nKELTO_MOUSE(5, 6);\n";

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint32_t> read_png(const std::string &path, int &width) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    std::vector<uint32_t> pixels;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(uint32_t{rgb[i]} << 16 | uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return pixels;
}

std::vector<std::string> printed;

void collect(const char *line) {
    printed.emplace_back(line);
}

int instance_token;

TEST(BeforeOpen, TheRunnerAnswersAsTheDisplays) {
    std::ofstream("KELTO.SCR") << kScript;

    // The replay runner.
    const std::string command = std::string(BEFORE_OPEN_REPLAY) +
                                " --script KELTO.SCR --png runner.png --console runner.txt";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    const int runner_status = WEXITSTATUS(raw);

    // The headless display, played the script from the Run menu once the
    // window is open, then quit from the same menu.
    platform::HeadlessDisplay &display = platform::use_headless_display();
    console::state().line_printed = collect;
    display.after(0, [&display] {
        display.menu_command(events::state().graphics_window, events::CMD_PLAYBACK);
    });
    display.after(1000, [&display] {
        display.menu_command(events::state().graphics_window, events::CMD_QUIT);
    });
    char command_line[] = "";
    const int display_status =
        KELTO_main(&instance_token, nullptr, command_line, platform::SW_SHOWNORMAL);

    std::string display_console;
    for (const std::string &line : printed) display_console += line;
    EXPECT_EQ(read_file("runner.txt"), display_console);
    EXPECT_EQ(runner_status, display_status);
    // The early wait was told to quit and the script kept both of its events.
    EXPECT_NE(display_console.find("wait 4 (0, 0, 0)\n"), std::string::npos) << display_console;
    EXPECT_NE(display_console.find("event 2 (0, 0, 97)\nevent 1 (5, 6, 0)\n"), std::string::npos)
        << display_console;
    EXPECT_EQ(display_status, 2);

    int width = 0;
    const std::vector<uint32_t> runner_picture = read_png("runner.png", width);
    const Image *shown = platform::window_system().client_image(events::state().graphics_window);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(width, shown->width);
    EXPECT_TRUE(runner_picture == shown->pixels) << "the pictures differ";
}

}  // namespace
