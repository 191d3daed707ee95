// Shared set-up of the library tests: an open library on the headless
// display, with read-back of the surface in program coordinates and of the
// console lines a call prints.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace kelto::test {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;

// The smallest box, in program coordinates, holding every pixel of one colour.
struct Bounds {
    int64_t count = 0;
    int left = 0, right = 0, top = 0, bottom = 0;  // top is the larger y
};

class KeltoFixture : public ::testing::Test {
protected:
    // The screen is tall enough for the text window to show all 25 console rows.
    void SetUp() override {
        display = &platform::use_headless_display();
        display->set_screen_size(1024, 1280);
        KELTO_open(&instance_token_, nullptr, nullptr, platform::SW_SHOWNORMAL);
        graphics = events::state().graphics_window;
    }

    static Image &surface() { return events::surface().image(); }

    // The surface pixel under program point (x, y).
    static uint32_t at(int x, int y) {
        const draw::Surface &state = events::surface();
        return surface().at(state.origin_x() + x, state.origin_y() - y);
    }

    static Bounds bounds_of(uint32_t color) {
        const draw::Surface &state = events::surface();
        Bounds b;
        for (int row = 0; row < surface().height; ++row) {
            for (int column = 0; column < surface().width; ++column) {
                if (surface().at(column, row) != color) continue;
                const int x = column - state.origin_x(), y = state.origin_y() - row;
                b.left = b.count ? std::min(b.left, x) : x;
                b.right = b.count ? std::max(b.right, x) : x;
                b.top = b.count ? std::max(b.top, y) : y;
                b.bottom = b.count ? std::min(b.bottom, y) : y;
                ++b.count;
            }
        }
        return b;
    }

    // Fills the surface white, frame included, so every drawn pixel stands out.
    static void whiten() { std::fill(surface().pixels.begin(), surface().pixels.end(), kWhite); }

    // The console lines that `action` prints (fewer than 25).
    template <class Action>
    static std::vector<std::string> printed_by(Action action) {
        const int next_before = console::state().next;
        action();
        const int count =
            (console::state().next - next_before + console::kConsoleLines) % console::kConsoleLines;
        std::vector<std::string> lines = console::console_lines();
        lines.erase(lines.begin(), lines.end() - count);
        return lines;
    }

    // Takes and dispatches every message that is ready, without waiting.
    static void pump() {
        platform::WindowSystem &windows = platform::window_system();
        platform::Message message;
        while (windows.peek_message(message)) {
            windows.translate_message(message);
            windows.dispatch_message(message);
        }
    }

    platform::HeadlessDisplay *display = nullptr;
    platform::WindowHandle graphics = 0;

private:
    int instance_token_ = 0;
};

}  // namespace kelto::test
