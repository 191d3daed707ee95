// Grabbing the program thread's picture from inside a signal handler.
#include "platform/threaded/signal_grab.h"

#include <atomic>
#include <cerrno>
#include <csignal>

namespace kelto::platform {

namespace {

// The grab the handler serves; the process has one program thread.
std::atomic<SignalGrab *> active_grab{nullptr};

int grab_signal() {
    return SIGRTMIN + 3;
}

}  // namespace

SignalGrab::SignalGrab() : program_(pthread_self()) {
    sem_init(&copied_, 0, 0);
    struct sigaction action {};
    action.sa_handler = on_signal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(grab_signal(), &action, nullptr);
    active_grab.store(this);
}

SignalGrab::~SignalGrab() {
    active_grab.store(nullptr);
    sem_destroy(&copied_);
}

void SignalGrab::on_signal(int) {
    const int saved_errno = errno;
    if (SignalGrab *self = active_grab.load()) {
        Image *target = self->target_.load();
        self->copied_ok_.store(target && self->copy_source(*target));
        sem_post(&self->copied_);
    }
    errno = saved_errno;
}

bool SignalGrab::grab(Image &into) {
    target_.store(&into);
    copied_ok_.store(false);
    if (pthread_kill(program_, grab_signal()) != 0) return false;
    // The handler always posts once it runs, and it runs as soon as the
    // program thread is scheduled, whatever that thread is doing.
    while (sem_wait(&copied_) != 0 && errno == EINTR) {
    }
    target_.store(nullptr);
    return copied_ok_.load();
}

}  // namespace kelto::platform
