// A display whose toolkit runs on a thread of its own. The program thread,
// which owns the window system, calls this display; it hands each call with
// a copy of what the call is about to the toolkit thread, where the real
// display (the inner one) runs against a MirrorHost. The user's input comes
// back as queued records that the program thread applies inside its wait
// and its polls, where a one-thread display would have reported them.
//
// The toolkit thread calls tick() about ten times a second: a program that
// has not waited for a second has its current picture shown, after three
// seconds it gets one hint, and a close request or the quit key it leaves
// untaken for two seconds ends the process.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/display.h"
#include "platform/threaded/hand_off.h"
#include "platform/threaded/mirror_host.h"
#include "platform/threaded/toolkit_calls.h"

namespace kelto::platform {

class PictureGrab;

// What the toolkit thread is given to run the hand-off.
struct ToolkitThread {
    // Makes the toolkit thread call ThreadedDisplay::run_calls() soon;
    // called on the program thread, never blocks.
    std::function<void()> wake;
    // Ends the process with `status`; called on the toolkit thread.
    std::function<void(int status)> end_process;
};

class ThreadedDisplay final : public Display {
public:
    // Exit status of a program ended because it never took a close request.
    static constexpr int kStuckExitStatus = 1;
    static constexpr int64_t kLivePictureAfterMs = 1000;
    static constexpr int64_t kHintAfterMs = 3000;
    static constexpr int64_t kPlacedWithinMs = 1000;
    static constexpr const char *kNotWaitingHint =
        "KELTO: the program has not waited for events (KELTO_await_event) for 3 seconds; "
        "its window shows its drawing only while it waits.";
    static constexpr const char *kStuckQuitHint =
        "KELTO: the program did not take the request to close within 2 seconds, because it "
        "does not wait for events; it has been ended.";

    // `inner` is made here and used on the toolkit thread only, from the
    // first call handed over; `now_ms` is the clock of both threads.
    ThreadedDisplay(std::unique_ptr<Display> inner, ToolkitThread toolkit,
                    std::function<int64_t()> now_ms, std::unique_ptr<PictureGrab> grab);
    ~ThreadedDisplay() override;

    // ---- Toolkit thread
    void run_calls() { calls_.run_pending(); }
    void tick();
    // Stops handing over calls for good (the process is ending).
    void close() { calls_.close(); }

    // ---- Display, on the program thread
    void attach(DisplayHost &host) override;
    int screen_width() const override { return screen_width_; }
    int screen_height() const override { return screen_height_; }
    Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                         int outer_height) const override;
    void window_created(WindowHandle window) override;
    void window_destroyed(WindowHandle window) override;
    void window_shown(WindowHandle window, bool visible) override;
    void client_changed(WindowHandle window, const Rect &area) override;
    void menu_changed(WindowHandle window) override;
    DialogBaseUnits dialog_base_units() const override { return base_units_; }
    void dialog_started(WindowHandle dialog) override;
    void dialog_item_changed(WindowHandle dialog, int item_id) override;
    int64_t now_ms() const override { return hand_off_.now_ms(); }
    void wait(std::optional<int64_t> deadline_ms, WaitFor what) override;
    void poll() override;
    void await_placed(WindowHandle window) override;
    void hint(std::string_view line) override { inner_->hint(line); }
    void set_quit_key(QuitKey key) override { hand_off_.set_quit_key(key); }
    void set_current_picture(WindowHandle window, const Image *picture,
                             const HeldBox *held) override;

private:
    // Hands the window's state to the toolkit thread, its image too if asked.
    void hand_over_window(WindowHandle window, bool with_image);
    void hand_over_dialog(WindowHandle dialog);
    // Applies queued input; hands over the windows it may have changed.
    void apply_input(bool program_looks = true);
    // Toolkit thread: shows the program's current picture in its window.
    void show_current_picture();

    std::unique_ptr<Display> inner_;
    ToolkitThread toolkit_;
    mutable HandOff hand_off_;
    mutable ToolkitCalls calls_;
    MirrorHost mirror_;  // toolkit thread only
    std::unique_ptr<PictureGrab> grab_;
    DisplayHost *host_ = nullptr;
    int screen_width_ = 0;
    int screen_height_ = 0;
    DialogBaseUnits base_units_;
    // Toolkit thread: the start of the spell without a wait last hinted at.
    std::optional<int64_t> hinted_since_;
    std::set<WindowHandle> windows_;  // program thread: those handed over
};

}  // namespace kelto::platform
