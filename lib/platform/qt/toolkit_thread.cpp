// Qt on the main thread, the program on its own thread.
#include "platform/qt/toolkit_thread.h"

#include <QtCore/QMetaObject>
#include <QtCore/QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/program_thread.h"
#include "platform/qt/application.h"
#include "platform/qt/qt_display.h"
#include "platform/threaded/signal_grab.h"
#include "platform/threaded/threaded_display.h"

namespace kelto::platform {

namespace {

constexpr int kTickMs = 100;

// What the two threads tell each other. Made on first use and never
// destroyed: the main thread may still wait on it while the process ends.
struct Threads {
    std::mutex mutex;
    std::condition_variable changed;
    bool program_thread = false;  // run_on_program_thread is in use
    std::thread::id main_thread;
    bool start_asked = false;
    bool started = false;
    bool parked = false;
    std::optional<int> program_status;  // once the program has returned
    std::thread program;
    ThreadedDisplay *display = nullptr;
    // QApplication keeps references to its argument count and vector.
    int argc = 1;
    char program_name[6] = "kelto";
    char *argv[2] = {program_name, nullptr};
};

Threads &threads() {
    static Threads *const shared = new Threads;
    return *shared;
}

// Main thread: stops running the display's calls and waits for the process
// to end, so that nothing of Qt runs while exit() tears the process down.
[[noreturn]] void park() {
    Threads &shared = threads();
    std::unique_lock lock(shared.mutex);
    if (shared.display) shared.display->close();
    shared.parked = true;
    shared.changed.notify_all();
    for (;;) shared.changed.wait(lock);
}

// Program thread, when it calls exit(): parks the toolkit before anything is
// destroyed. Registered again whenever Qt may have registered destructors of
// its own, since the handlers registered last run first.
void park_toolkit_at_exit() {
    Threads &shared = threads();
    // The main thread ending the process is not running the toolkit then.
    if (std::this_thread::get_id() == shared.main_thread) return;
    std::unique_lock lock(shared.mutex);
    if (!shared.started || shared.parked) return;
    QMetaObject::invokeMethod(
        qApp, [] { park(); }, Qt::QueuedConnection);
    shared.changed.wait(lock, [&] { return shared.parked; });
}

// Main thread: ends the process with the program's status once the program
// thread has returned and nothing of the toolkit runs.
[[noreturn]] void exit_with_program_status() {
    Threads &shared = threads();
    std::unique_lock lock(shared.mutex);
    shared.changed.wait(lock, [&] { return shared.program_status.has_value(); });
    const int status = *shared.program_status;
    lock.unlock();
    shared.program.join();
    std::exit(status);
}

// Program thread: the program has returned `status`. The toolkit stops
// handing over calls and ticking, then its thread ends the process.
void program_returned(int status) {
    Threads &shared = threads();
    std::unique_lock lock(shared.mutex);
    if (shared.started) {
        QMetaObject::invokeMethod(
            qApp,
            [] {
                Threads &main = threads();
                const std::lock_guard inner(main.mutex);
                if (main.display) main.display->close();
                main.parked = true;
                main.changed.notify_all();
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
        shared.changed.wait(lock, [&] { return shared.parked; });
    }
    shared.program_status = status;
    shared.changed.notify_all();
}

// Main thread: the toolkit's life once the program has asked for it.
[[noreturn]] void run_toolkit() {
    Threads &shared = threads();
    {
        std::unique_lock lock(shared.mutex);
        shared.changed.wait(
            lock, [&] { return shared.start_asked || shared.program_status.has_value(); });
        if (!shared.start_asked) {
            lock.unlock();
            exit_with_program_status();
        }
    }
    // Never destroyed: the process ends with the toolkit parked.
    QApplication *application = start_application(shared.argc, shared.argv).release();
    QApplication::setQuitOnLastWindowClosed(false);
    {
        const std::lock_guard lock(shared.mutex);
        shared.started = true;
    }
    shared.changed.notify_all();
    application->exec();
    exit_with_program_status();
}

int64_t steady_ms() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

// Main thread: runs the calls the program thread handed over.
void run_calls() {
    Threads &shared = threads();
    ThreadedDisplay *display = nullptr;
    {
        const std::lock_guard lock(shared.mutex);
        display = shared.display;
    }
    if (!display) return;
    display->run_calls();
    // A window shown for the first time may have made Qt register exit
    // handlers that must run after the toolkit is parked.
    static qsizetype windows_known = 0;
    if (const qsizetype windows = QApplication::topLevelWidgets().size(); windows > windows_known) {
        windows_known = windows;
        std::atexit(park_toolkit_at_exit);
    }
}

[[noreturn]] void end_stuck_program(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

}  // namespace

void run_on_program_thread(std::function<int()> program) {
    Threads &shared = threads();
    shared.program_thread = true;
    shared.main_thread = std::this_thread::get_id();
    shared.program = std::thread([program = std::move(program)] { program_returned(program()); });
    run_toolkit();
}

bool toolkit_on_main_thread() {
    return threads().program_thread && !QCoreApplication::instance();
}

std::unique_ptr<Display> make_display_on_main_thread() {
    Threads &shared = threads();
    {
        std::unique_lock lock(shared.mutex);
        shared.start_asked = true;
        shared.changed.notify_all();
        shared.changed.wait(lock, [&] { return shared.started; });
    }
    std::atexit(park_toolkit_at_exit);
    steady_ms();
    auto display = std::make_unique<ThreadedDisplay>(
        std::make_unique<QtDisplay>(),
        ToolkitThread{[] { QMetaObject::invokeMethod(qApp, run_calls, Qt::QueuedConnection); },
                      end_stuck_program},
        steady_ms, std::make_unique<SignalGrab>());
    ThreadedDisplay *threaded = display.get();
    {
        const std::lock_guard lock(shared.mutex);
        shared.display = threaded;
    }
    QMetaObject::invokeMethod(
        qApp,
        [threaded] {
            auto *timer = new QTimer(qApp);
            QObject::connect(timer, &QTimer::timeout, [threaded] { threaded->tick(); });
            timer->start(kTickMs);
        },
        Qt::QueuedConnection);
    return display;
}

}  // namespace kelto::platform
