// Queued input, the busy clock and the stuck-program quit.
#include "platform/threaded/hand_off.h"

#include <chrono>
#include <utility>

#include "platform/display_host.h"

namespace kelto::platform {

namespace {

// Reports a record of the user's input to the window system.
struct Report {
    DisplayHost &host;
    template <typename Input>
    void operator()(const Input &input) const {
        host.report(input);
    }
    void operator()(const WindowPlaced &) const {}
};

}  // namespace

HandOff::HandOff(std::function<int64_t()> now_ms) : now_ms_(std::move(now_ms)) {
    busy_since_ = now_ms_();
}

void HandOff::post(InputRecord record) {
    {
        const std::lock_guard lock(mutex_);
        note_quit_request(record);
        queue_.push_back(std::move(record));
    }
    queued_.notify_one();
}

void HandOff::note_quit_request(const InputRecord &record) {
    // A window destroyed from outside asks its program to close, as the
    // close box does.
    bool quit =
        std::holds_alternative<CloseRequest>(record) || std::holds_alternative<WindowLost>(record);
    if (const auto *down = std::get_if<KeyDown>(&record)) {
        if (quit_key_.key != 0 && down->virtual_key == quit_key_.modifier) modifier_down_ = true;
        quit = modifier_down_ && quit_key_.key != 0 && down->virtual_key == quit_key_.key;
    } else if (const auto *up = std::get_if<KeyUp>(&record)) {
        if (up->virtual_key == quit_key_.modifier) modifier_down_ = false;
    } else if (const auto *focus = std::get_if<FocusChanged>(&record)) {
        if (focus->window == 0) modifier_down_ = false;
    }
    if (quit && !quit_requested_at_) quit_requested_at_ = now_ms_();
}

std::optional<int64_t> HandOff::busy_since() const {
    const std::lock_guard lock(mutex_);
    if (waiting_) return std::nullopt;
    return busy_since_;
}

bool HandOff::stuck_quit_due() const {
    const std::lock_guard lock(mutex_);
    return quit_requested_at_ && now_ms_() - *quit_requested_at_ >= kStuckQuitMs;
}

void HandOff::set_quit_key(QuitKey key) {
    const std::lock_guard lock(mutex_);
    quit_key_ = key;
}

bool HandOff::apply(DisplayHost &host, bool program_looks) {
    std::deque<InputRecord> records;
    {
        const std::lock_guard lock(mutex_);
        records.swap(queue_);
        // A quit request taken by the program is the program's to act on.
        if (program_looks) quit_requested_at_.reset();
    }
    for (const InputRecord &record : records) {
        if (const auto *placed = std::get_if<WindowPlaced>(&record))
            placed_.insert(placed->window);
        else
            std::visit(Report{host}, record);
    }
    return !records.empty();
}

void HandOff::wait_for_input(std::optional<int64_t> deadline_ms) {
    std::unique_lock lock(mutex_);
    if (!queue_.empty()) return;
    if (!deadline_ms) {
        queued_.wait(lock, [this] { return !queue_.empty(); });
        return;
    }
    const int64_t left = *deadline_ms - now_ms_();
    if (left <= 0) return;
    queued_.wait_for(lock, std::chrono::milliseconds(left), [this] { return !queue_.empty(); });
}

void HandOff::set_waiting(bool waiting) {
    const std::lock_guard lock(mutex_);
    waiting_ = waiting;
    if (!waiting) busy_since_ = now_ms_();
}

}  // namespace kelto::platform
