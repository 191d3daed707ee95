// Work the program thread hands to a display's toolkit thread: calls run
// there in the order they were made, either posted (the program thread goes
// on) or asked (it waits for the answer). The toolkit is woken by a function
// it gives, and runs what is pending when it is. Once closed (the process is
// ending), nothing more runs and an asked call answers its default.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <type_traits>
#include <utility>

namespace kelto::platform {

class ToolkitCalls {
public:
    // `wake` makes the toolkit thread call run_pending() soon; it is called
    // on the program thread and must not block.
    explicit ToolkitCalls(std::function<void()> wake);

    // ---- Program thread
    void post(std::function<void()> call);
    // Runs `call` on the toolkit thread and returns its result.
    template <typename Call>
    auto ask(Call call) -> std::invoke_result_t<Call> {
        using Result = std::invoke_result_t<Call>;
        Result result{};
        bool done = false;
        post([&] {
            result = call();
            const std::lock_guard lock(mutex_);
            done = true;
            answered_.notify_all();
        });
        std::unique_lock lock(mutex_);
        answered_.wait(lock, [&] { return done || closed_; });
        return result;
    }

    // ---- Toolkit thread
    // Runs the calls pending now, in order.
    void run_pending();
    // Stops running calls for good and releases every asking thread.
    void close();
    bool closed();

private:
    const std::function<void()> wake_;
    std::mutex mutex_;
    std::condition_variable answered_;
    std::deque<std::function<void()>> pending_;
    bool closed_ = false;
};

}  // namespace kelto::platform
