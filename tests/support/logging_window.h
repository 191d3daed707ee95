// A window procedure for tests of the window system and its displays: it logs
// every message it receives, validates on paint and leaves everything else to
// the default procedure.
#pragma once

#include <vector>

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

}  // namespace kelto::test
