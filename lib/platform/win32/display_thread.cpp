// The display's thread: a native message loop that also runs the calls the
// program thread hands over and the hand-off's tick.
#include "platform/win32/display_thread.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/threaded/threaded_display.h"
#include "platform/win32/suspend_grab.h"
#include "platform/win32/win32_display.h"

namespace kelto::platform {

namespace {

constexpr UINT kTickMs = 100;

// What the two threads share. Made on first use and never destroyed: the
// display's thread may still wait on it while the process ends.
struct Shared {
    HANDLE wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE park = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::mutex mutex;
    std::condition_variable changed;
    bool parked = false;
    ThreadedDisplay *display = nullptr;
    Win32Display *native = nullptr;
};

Shared &shared() {
    static Shared *const state = new Shared;
    return *state;
}

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    shared().display->tick();
}

// The display's thread: waits in the kernel for a native message, a call
// handed over or the request to park.
void run_display_thread() {
    Shared &state = shared();
    SetTimer(nullptr, 0, kTickMs, tick);
    const HANDLE events[] = {state.wake, state.park};
    for (;;) {
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(2, events, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 + 1) break;
        state.display->run_calls();
        state.native->pump();
    }
    // Parked: the process is ending, and no window code may run meanwhile.
    std::unique_lock lock(state.mutex);
    state.display->close();
    state.parked = true;
    state.changed.notify_all();
    for (;;) state.changed.wait(lock);
}

// At exit, on any other thread: the display's thread parks first.
void park_display_thread() {
    Shared &state = shared();
    SetEvent(state.park);
    std::unique_lock lock(state.mutex);
    state.changed.wait(lock, [&] { return state.parked; });
}

int64_t steady_ms() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

[[noreturn]] void end_stuck_program(int status) {
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    std::_Exit(status);
}

}  // namespace

std::unique_ptr<Display> make_display_on_own_thread() {
    Shared &state = shared();
    steady_ms();
    auto native = std::make_unique<Win32Display>();
    state.native = native.get();
    auto display = std::make_unique<ThreadedDisplay>(
        std::move(native), ToolkitThread{[] { SetEvent(shared().wake); }, end_stuck_program},
        steady_ms, std::make_unique<SuspendGrab>());
    state.display = display.get();
    std::thread(run_display_thread).detach();
    std::atexit(park_display_thread);
    return display;
}

}  // namespace kelto::platform
