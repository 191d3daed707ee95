// Test fixture for the script recorder and player: each test runs in a fresh
// temporary current directory, so "KELTO.SCR" never lands in the source tree,
// with the library open on the headless display.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "console/console.h"
#include "events/graphics_window.h"
#include "events/lib_state.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/window_system.h"

namespace kelto::testing {

struct Event {
    int kind = 0;
    int x = 0;
    int y = 0;
    char key = 0;
};

// The graphics window's client area is 595 x 490, so its centre is (297, 245).
constexpr int kOriginX = 297;
constexpr int kOriginY = 245;

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_dir_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelto-script-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        std::filesystem::current_path(dir_);
        display_ = &use_headless_display();
        KELTO_open(nullptr, nullptr, nullptr, platform::SW_SHOW);
        window_ = lib_state().graphics_window;
        // A wait that nothing can end runs on timer ticks in virtual time
        // forever; end such a test with a failure instead.
        display_->after(kStuckAfterMs, [] {
            std::fprintf(stderr, "a wait never ended: no event could arrive\n");
            std::_Exit(3);
        });
    }

    void TearDown() override {
        KELTO_close();
        std::filesystem::current_path(previous_dir_);
        std::filesystem::remove_all(dir_);
    }

    static Event await() {
        Event event;
        event.kind = KELTO_await_event(&event.x, &event.y, &event.key);
        return event;
    }

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

    static std::string script() {
        std::ifstream in(kScriptFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static void write_script(const std::string &text) {
        std::ofstream(kScriptFile, std::ios::binary) << text;
    }

    bool checked(int command_id) const {
        const platform::Menu *menu = display_->windows().menu(lib_state().run_menu);
        for (const platform::MenuItem &item : menu->items)
            if (!item.separator && item.id == command_id) return item.checked;
        return false;
    }

    // How many console lines read exactly `text`.
    static int console_count(const std::string &text) {
        const auto lines = console_lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), text));
    }

    static constexpr const char *kScriptFile = "KELTO.SCR";
    // Far beyond the virtual time any test needs (a few ticks of 100 ms).
    static constexpr int64_t kStuckAfterMs = 3'600'000;

    platform::HeadlessDisplay *display_ = nullptr;
    platform::WindowHandle window_ = 0;
    std::filesystem::path dir_;
    std::filesystem::path previous_dir_;
};

}  // namespace kelto::testing
