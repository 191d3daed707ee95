// The hand-off between the program thread and a display's toolkit thread,
// with a fake toolkit thread running a recording display: calls reach the
// toolkit thread in order with the state they are about, input comes back
// only inside the program's waits and polls, the busy clock shows the
// current picture and hints, and a stuck program is ended. Run under
// ThreadSanitizer by the tsan preset.
#include "platform/threaded/threaded_display.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "pixels/held_box.h"
#include "platform/display_host.h"
#include "platform/threaded/grab.h"
#include "platform/window_system.h"

using namespace kelto::platform;
using kelto::HeldBox;
using kelto::Image;
using kelto::Rect;

namespace {

// A toolkit thread: runs the display's handed-over calls when woken, and
// whatever the test asks it to run.
class FakeToolkit {
public:
    FakeToolkit() : thread_([this] { loop(); }) {}
    ~FakeToolkit() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    void wake() {
        {
            const std::lock_guard lock(mutex_);
            woken_ = true;
        }
        changed_.notify_all();
    }

    // Runs `task` on the toolkit thread, after the calls handed over so far.
    void run(std::function<void()> task) {
        bool done = false;
        std::unique_lock lock(mutex_);
        tasks_.push_back([&] {
            task();
            const std::lock_guard inner(mutex_);
            done = true;
            changed_.notify_all();
        });
        changed_.notify_all();
        changed_.wait(lock, [&] { return done; });
    }

    ThreadedDisplay *display = nullptr;
    std::thread::id id() const { return thread_.get_id(); }

private:
    void loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stop_ || woken_ || !tasks_.empty(); });
            if (stop_) return;
            const bool calls = std::exchange(woken_, false);
            std::deque<std::function<void()>> tasks;
            tasks.swap(tasks_);
            lock.unlock();
            if (calls) display->run_calls();
            // Tasks come after the calls handed over before them.
            display->run_calls();
            for (auto &task : tasks) task();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    bool woken_ = false;
    bool stop_ = false;
    std::thread thread_;
};

// A display that records, on the toolkit thread, what its host shows it.
class RecordingDisplay final : public Display {
public:
    explicit RecordingDisplay(std::thread::id &toolkit) : toolkit_(toolkit) {}
    void attach(DisplayHost &host) override {
        host_ = &host;
        on_toolkit = std::this_thread::get_id() == toolkit_;
    }
    int screen_width() const override { return 1280; }
    int screen_height() const override { return 1024; }
    Rect client_rect_for(uint32_t, bool has_menu, int width, int height) const override {
        if (std::this_thread::get_id() != toolkit_) off_toolkit_calls++;
        return Rect{0, 0, width - 8, height - 30 - (has_menu ? 20 : 0)};
    }
    void window_created(WindowHandle window) override {
        if (const Window *model = host_->window(window)) log.push_back("created " + model->title);
    }
    void window_destroyed(WindowHandle) override { log.emplace_back("destroyed"); }
    void window_shown(WindowHandle window, bool visible) override {
        if (const Window *model = host_->window(window))
            log.push_back((visible ? "shown " : "hidden ") + model->title);
    }
    void client_changed(WindowHandle window, const Rect &area) override {
        const Window *model = host_->window(window);
        if (!model || area.empty()) return;
        last_image = model->image;
        log.push_back("changed " + std::to_string(area.width()) + "x" +
                      std::to_string(area.height()));
    }
    void menu_changed(WindowHandle window) override {
        const Window *model = host_->window(window);
        if (model && model->menu) log.push_back("menu " + host_->menu_layout(model->menu));
    }
    int64_t now_ms() const override { return 0; }
    void wait(std::optional<int64_t>, WaitFor) override {}
    void hint(std::string_view line) override { hints.emplace_back(line); }

    DisplayHost &host() { return *host_; }

    // Read on the toolkit thread, or after a round trip to it.
    std::vector<std::string> log;
    std::vector<std::string> hints;
    Image last_image;
    bool on_toolkit = false;
    mutable std::atomic<int> off_toolkit_calls{0};

private:
    std::thread::id &toolkit_;
    DisplayHost *host_ = nullptr;
};

// A grab that copies a picture the test fills, on the toolkit thread: what
// a real grab does while the program thread stands still.
class TestGrab final : public PictureGrab {
public:
    bool grab(Image &into) override { return copy_source(into); }
};

class ThreadedDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolkit_id = toolkit.id();
        auto inner = std::make_unique<RecordingDisplay>(toolkit_id);
        recording = inner.get();
        auto threaded = std::make_unique<ThreadedDisplay>(
            std::move(inner),
            ToolkitThread{[this] { toolkit.wake(); }, [this](int status) { ended = status; }},
            [this] { return clock.load(); }, std::make_unique<TestGrab>());
        display = threaded.get();
        toolkit.display = display;
        windows = std::make_unique<WindowSystem>(std::move(threaded));
        windows->register_class(WindowClass{"Test", procedure, CS_HREDRAW | CS_VREDRAW, 0});
    }

    void TearDown() override {
        toolkit.run([this] { display->close(); });
    }

    static intptr_t procedure(WindowHandle window, unsigned message, uintptr_t wparam,
                              intptr_t lparam) {
        return window_system_of_test->default_procedure(window, message, wparam, lparam);
    }

    WindowHandle open_window(const char *title) {
        window_system_of_test = windows.get();
        const WindowHandle window =
            windows->create_window("Test", title, WS_CAPTION | WS_SYSMENU, 10, 20, 108, 80);
        windows->show_window(window, SW_SHOW);
        return window;
    }

    // The messages the program takes now, paints and ticks aside.
    std::vector<unsigned> taken() {
        std::vector<unsigned> messages;
        Message message;
        while (windows->peek_message(message))
            if (message.message != WM_PAINT && message.message != WM_TIMER)
                messages.push_back(message.message);
            else
                windows->dispatch_message(message);
        return messages;
    }

    // Runs `report` on the toolkit thread, as its display does.
    void from_toolkit(std::function<void(DisplayHost &)> report) {
        toolkit.run([&] { report(recording->host()); });
    }

    std::vector<std::string> toolkit_log() {
        std::vector<std::string> log;
        toolkit.run([&] { log = recording->log; });
        return log;
    }

    static inline WindowSystem *window_system_of_test = nullptr;
    FakeToolkit toolkit;
    std::thread::id toolkit_id;
    std::atomic<int64_t> clock{0};
    std::atomic<int> ended{-1};
    RecordingDisplay *recording = nullptr;
    ThreadedDisplay *display = nullptr;
    std::unique_ptr<WindowSystem> windows;
};

TEST_F(ThreadedDisplayTest, CallsReachTheToolkitThreadInOrderWithTheirState) {
    const WindowHandle window = open_window("first");
    windows->client_image(window)->at(3, 4) = 0x123456;
    windows->client_changed(window, Rect{3, 4, 4, 5});
    windows->destroy_window(window);
    const std::vector<std::string> log = toolkit_log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "created first");
    EXPECT_EQ(log[1], "shown first");
    EXPECT_EQ(log[log.size() - 2], "changed 1x1");
    EXPECT_EQ(log.back(), "destroyed");
    bool attached_on_toolkit = false;
    Image image;
    toolkit.run([&] {
        attached_on_toolkit = recording->on_toolkit;
        image = recording->last_image;
    });
    EXPECT_TRUE(attached_on_toolkit);
    ASSERT_TRUE(image.contains(3, 4));
    EXPECT_EQ(image.at(3, 4), 0x123456u);
    EXPECT_EQ(recording->off_toolkit_calls.load(), 0);
    // Answers come from the toolkit thread or from what it said at start.
    EXPECT_EQ(windows->client_rect(window).width(), 0);
    EXPECT_EQ(windows->screen_width(), 1280);
}

TEST_F(ThreadedDisplayTest, AClientSizedAnewIsHandedOverWhole) {
    const WindowHandle window = open_window("sized");
    windows->move_window(window, 0, 0, 208, 130);
    windows->client_image(window)->at(199, 99) = 0xABCDEF;
    windows->client_changed(window, Rect{199, 99, 200, 100});
    Image image;
    toolkit.run([&] { image = recording->last_image; });
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.height, 100);
    ASSERT_TRUE(image.contains(199, 99));
    EXPECT_EQ(image.at(199, 99), 0xABCDEFu);
}

TEST_F(ThreadedDisplayTest, MenusAreHandedOverWithTheirLayout) {
    const WindowHandle window = open_window("menu");
    const MenuHandle bar = windows->create_menu();
    const MenuHandle run = windows->create_popup_menu();
    windows->append_menu(run, MF_STRING, 7, "&Go");
    windows->append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run), "&Run");
    windows->set_menu(window, bar);
    const std::vector<std::string> log = toolkit_log();
    EXPECT_EQ(log.back(), "menu " + windows->menu_layout(bar));
    bool popup_seen = false;
    toolkit.run([&] { popup_seen = recording->host().menu(run) != nullptr; });
    EXPECT_TRUE(popup_seen);
}

TEST_F(ThreadedDisplayTest, InputFromTheToolkitThreadBecomesMessagesInOrder) {
    const WindowHandle window = open_window("input");
    taken();
    from_toolkit([&](DisplayHost &host) {
        host.report(Click{window, 5, 6});
        host.report(KeyDown{window, 'A', 'a', 1});
    });
    const std::vector<unsigned> messages = taken();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], static_cast<unsigned>(WM_LBUTTONDOWN));
    EXPECT_EQ(messages[1], static_cast<unsigned>(WM_KEYDOWN));
}

TEST_F(ThreadedDisplayTest, AWaitEndsWithInputFromTheToolkitThreadOrAtItsDeadline) {
    const WindowHandle window = open_window("wait");
    taken();
    std::thread user([&] {
        from_toolkit([&](DisplayHost &host) { host.report(Click{window, 1, 1}); });
    });
    display->wait(std::nullopt, WaitFor::Input);
    user.join();
    EXPECT_TRUE(windows->message_ready());
    taken();
    clock = 500;
    display->wait(400, WaitFor::Input);  // already due: returns at once
    EXPECT_FALSE(windows->message_ready());
}

TEST_F(ThreadedDisplayTest, AStuckProgramEndsTwoSecondsAfterACloseRequestOrTheQuitKey) {
    const WindowHandle window = open_window("stuck");
    display->set_quit_key(QuitKey{VK_CONTROL, 'Q'});
    auto tick_at = [&](int64_t ms) {
        clock = ms;
        toolkit.run([&] { display->tick(); });
        return ended.load();
    };
    from_toolkit([&](DisplayHost &host) { host.report(CloseRequest{window}); });
    EXPECT_EQ(tick_at(1999), -1);
    // Taken by the program: the request is its own to act on.
    taken();
    EXPECT_EQ(tick_at(5000), -1);
    // Q alone is no quit key; Ctrl+Q is.
    from_toolkit([&](DisplayHost &host) { host.report(KeyDown{window, 'Q', 'q', 1}); });
    EXPECT_EQ(tick_at(8000), -1);
    from_toolkit([&](DisplayHost &host) {
        host.report(KeyDown{window, VK_CONTROL, 0, 1});
        host.report(KeyDown{window, 'Q', 0x11, 1});
    });
    EXPECT_EQ(tick_at(9999), -1);
    EXPECT_EQ(tick_at(10000), ThreadedDisplay::kStuckExitStatus);
}

TEST_F(ThreadedDisplayTest, AStuckProgramWhoseWindowIsDestroyedFromOutsideEnds) {
    const WindowHandle window = open_window("lost");
    from_toolkit([&](DisplayHost &host) { host.report(WindowLost{window}); });
    clock = 2000;
    toolkit.run([&] { display->tick(); });
    EXPECT_EQ(ended.load(), ThreadedDisplay::kStuckExitStatus);
}

TEST_F(ThreadedDisplayTest, AwaitingThePlaceAppliesTheGeometryButLeavesAQuitUntaken) {
    const WindowHandle window = open_window("placed");
    display->set_quit_key(QuitKey{VK_CONTROL, 'Q'});
    std::thread window_manager([&] {
        from_toolkit([&](DisplayHost &host) {
            host.report(CloseRequest{window});
            host.report(WindowMoved{window, Rect{30, 40, 138, 120}});
            host.window_placed(window);
        });
    });
    display->await_placed(window);
    window_manager.join();
    EXPECT_EQ(windows->window(window)->outer.left, 30);
    // The program itself has not looked for input: the close is not taken.
    clock = 2000;
    toolkit.run([&] { display->tick(); });
    EXPECT_EQ(ended.load(), ThreadedDisplay::kStuckExitStatus);
}

TEST_F(ThreadedDisplayTest, AProgramThatDoesNotWaitHasItsPictureShownWithItsLastBoxAndOneHint) {
    const WindowHandle window = open_window("busy");
    Image picture(100, 50, 0x00FF00);
    // The program's last call drew a box that is still held back.
    HeldBox held;
    held.hold(picture, {90, 40, 100, 50}, 0x0000FF);
    display->set_current_picture(window, &picture, &held);
    auto tick_at = [&](int64_t ms) {
        clock = ms;
        toolkit.run([&] { display->tick(); });
    };
    Image shown;
    std::vector<std::string> hints;
    auto look = [&] {
        toolkit.run([&] {
            shown = recording->last_image;
            hints = recording->hints;
        });
    };
    tick_at(999);
    look();
    EXPECT_TRUE(shown.pixels.empty() || shown.at(0, 0) != 0x00FF00u);
    tick_at(1000);
    look();
    ASSERT_TRUE(shown.contains(99, 49));
    EXPECT_EQ(shown.at(89, 49), 0x00FF00u);
    EXPECT_EQ(shown.at(99, 49), 0x0000FFu) << "the held box is shown";
    EXPECT_TRUE(hints.empty());
    tick_at(3000);
    tick_at(4000);
    look();
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0], ThreadedDisplay::kNotWaitingHint);
    // A wait starts the clock again.
    display->wait(4000, WaitFor::Input);
    tick_at(6999);
    look();
    EXPECT_EQ(hints.size(), 1u);
    tick_at(7000);
    look();
    EXPECT_EQ(hints.size(), 2u);
}

TEST_F(ThreadedDisplayTest, AClosedHandOffAnswersWithoutTheToolkit) {
    open_window("closing");
    toolkit.run([&] { display->close(); });
    EXPECT_EQ(display->client_rect_for(WS_CAPTION, false, 100, 100).width(), 0);
    windows->create_window("Test", "late", WS_CAPTION, 0, 0, 50, 50);
}

}  // namespace
