// Test fixture for the script recorder and player: the library open on the
// headless display, with helpers to record, play and read the script file.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "console/console.h"
#include "events/events.h"
#include "events/graphics_window.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "script/script.h"
#include "support/awaited_event.h"

namespace kelto::test {

using namespace kelto::events;

// The graphics window's client area is 595 x 490, so its centre is (297, 245).
constexpr int kOriginX = 297;
constexpr int kOriginY = 245;

class ScriptTest : public ::testing::Test {
protected:
    // Each test process already runs in a fresh temporary directory, and the
    // headless display ends a wait that no event could ever end.
    void SetUp() override {
        display_ = &platform::use_headless_display();
        KELTO_open(nullptr, nullptr, nullptr, platform::SW_SHOW);
        window_ = events::state().graphics_window;
    }

    void TearDown() override { KELTO_close(); }

    static Event await() { return await_event(); }

    // Queues a "&Run" menu command; the next wait carries it out.
    void command(int id) { display_->menu_command(window_, id); }
    // Queues a click at the point (x, y) in centred coordinates.
    void click(int x, int y) { display_->click(window_, kOriginX + x, kOriginY - y); }
    // Queues typing one character.
    void type(unsigned char c) {
        display_->key(window_, static_cast<unsigned>(std::toupper(c)), c);
    }

    // Gives a command and ends the wait that carries it out with a typed "z".
    void command_then_key(int id) {
        command(id);
        type('z');
        EXPECT_EQ(await().kind, KELTO_KBD);
    }

    // Returns `count` periodic events from the animation timer.
    static void ticks(int count) {
        KELTO_run_control(RUN_ANIMATE);
        for (int i = 0; i < count; ++i) EXPECT_EQ(await().kind, KELTO_PERIODIC);
        KELTO_run_control(RUN_HALT);
    }

    // The file as text: on disk its lines end the platform's way (CR LF on
    // Windows, where the script file is a text file).
    static std::string script() {
        std::ifstream in(kScriptFile);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static void write_script(const std::string &text) {
        std::ofstream(kScriptFile, std::ios::binary) << text;
    }

    bool checked(int command_id) const {
        const platform::Menu *menu = display_->host().menu(events::state().run_menu);
        for (const platform::MenuItem &item : menu->items)
            if (!item.separator && item.id == command_id) return item.checked;
        return false;
    }

    // How many console lines read exactly `text`.
    static int console_count(const std::string &text) {
        const auto lines = console::console_lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), text));
    }

    static constexpr const char *kScriptFile = "KELTO.SCR";

    platform::HeadlessDisplay *display_ = nullptr;
    platform::WindowHandle window_ = 0;
};

}  // namespace kelto::test
