// Calls handed to the toolkit thread.
#include "platform/threaded/toolkit_calls.h"

namespace kelto::platform {

ToolkitCalls::ToolkitCalls(std::function<void()> wake) : wake_(std::move(wake)) {}

void ToolkitCalls::post(std::function<void()> call) {
    {
        const std::lock_guard lock(mutex_);
        if (closed_) return;
        pending_.push_back(std::move(call));
    }
    wake_();
}

void ToolkitCalls::run_pending() {
    for (;;) {
        std::function<void()> call;
        {
            const std::lock_guard lock(mutex_);
            if (closed_ || pending_.empty()) return;
            call = std::move(pending_.front());
            pending_.pop_front();
        }
        call();
    }
}

void ToolkitCalls::close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    pending_.clear();
    answered_.notify_all();
}

bool ToolkitCalls::closed() {
    const std::lock_guard lock(mutex_);
    return closed_;
}

}  // namespace kelto::platform
