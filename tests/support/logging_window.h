// A window procedure for tests of the window system and its displays: it logs
// every message it receives, validates on paint and leaves everything else to
// the default procedure.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/headless/headless_display.h"
#include "platform/window_system.h"

namespace kelto::test {

struct WindowLog {
    platform::WindowSystem *windows = nullptr;
    std::vector<platform::Message> seen;
};

// The log the procedure writes to; point `windows` at the system under test.
inline WindowLog &window_log() {
    static WindowLog log;
    return log;
}

inline intptr_t logging_procedure(platform::WindowHandle window, unsigned message, uintptr_t wparam,
                                  intptr_t lparam) {
    WindowLog &log = window_log();
    log.seen.push_back(platform::Message{window, message, wparam, lparam});
    if (message == platform::WM_PAINT) {
        log.windows->begin_paint(window);
        log.windows->end_paint(window);
        return 0;
    }
    return log.windows->default_procedure(window, message, wparam, lparam);
}

// A window system of its own on the headless display, its log cleared.
class HeadlessWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto display = std::make_unique<platform::HeadlessDisplay>();
        headless = display.get();
        windows = std::make_unique<platform::WindowSystem>(std::move(display));
        window_log().windows = windows.get();
        window_log().seen.clear();
    }
    void TearDown() override { window_log().windows = nullptr; }

    platform::HeadlessDisplay *headless = nullptr;
    std::unique_ptr<platform::WindowSystem> windows;
};

}  // namespace kelto::test
