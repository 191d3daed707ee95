// The hand-off between a program thread, which owns all library state, and a
// display's toolkit thread, which touches only the display's own: the user's
// input queued on the toolkit thread and applied by the program thread inside
// its waits, the clock of how long the program has gone without waiting, and
// the quit of a program that cannot take a close request because it never
// waits. No toolkit in it: both threads call it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <variant>

#include "platform/display.h"
#include "platform/input.h"

namespace kelto::platform {

class DisplayHost;

// A window has been placed by the window manager (DisplayHost::window_placed).
struct WindowPlaced {
    WindowHandle window = 0;
};

using InputRecord = std::variant<Click, KeyDown, KeyUp, MenuCommand, CloseRequest, DialogButton,
                                 DialogCancel, DialogClose, WindowLost, WindowMoved, FocusChanged,
                                 DialogTextEdited, WindowPlaced>;

class HandOff {
public:
    // A close request or the quit key not taken for this long ends a program
    // that does not wait.
    static constexpr int64_t kStuckQuitMs = 2000;

    // `now_ms` is the clock both threads read, in milliseconds.
    explicit HandOff(std::function<int64_t()> now_ms);

    int64_t now_ms() const { return now_ms_(); }

    // ---- Toolkit thread
    // Queues a record for the program thread and wakes its wait.
    void post(InputRecord record);
    // When the program last left a wait (or started); nothing while it waits.
    std::optional<int64_t> busy_since() const;
    // True once a close request (or a window lost) or the quit key has gone
    // untaken for kStuckQuitMs: the program will never take it.
    bool stuck_quit_due() const;

    // ---- Program thread
    // The key that ends a stuck program; none until it is set.
    void set_quit_key(QuitKey key);
    // Reports the queued records to `host`, in order; false for none. A
    // close request or the quit key among them is the program's to act on
    // only when `program_looks` (its wait or its poll, not the library's own
    // wait for a window to be placed).
    bool apply(DisplayHost &host, bool program_looks = true);
    // True once, for a window whose WindowPlaced has been applied.
    bool take_placed(WindowHandle window) { return placed_.erase(window) > 0; }
    // Blocks until a record is queued or the clock reaches the deadline.
    void wait_for_input(std::optional<int64_t> deadline_ms);
    // The program enters and leaves its wait: the busy clock stops and starts.
    void set_waiting(bool waiting);

private:
    // Notes a close request or the quit key among the posted records.
    void note_quit_request(const InputRecord &record);

    const std::function<int64_t()> now_ms_;
    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<InputRecord> queue_;
    QuitKey quit_key_;
    bool modifier_down_ = false;
    // When the oldest untaken close request or quit key was posted.
    std::optional<int64_t> quit_requested_at_;
    bool waiting_ = false;
    std::set<WindowHandle> placed_;  // program thread only
    int64_t busy_since_ = 0;
};

}  // namespace kelto::platform
