// A picture grab on POSIX threads: the toolkit thread interrupts the program
// thread with a signal, whose handler copies the picture on the program
// thread itself while the toolkit thread waits for it. The program thread
// draws nothing meanwhile, so the copy is whole and nothing races.
#pragma once

#include <pthread.h>
#include <semaphore.h>

#include <atomic>

#include "platform/threaded/grab.h"

namespace kelto::platform {

class SignalGrab final : public PictureGrab {
public:
    // Made on the program thread, which it grabs from; one per process.
    SignalGrab();
    ~SignalGrab() override;
    SignalGrab(const SignalGrab &) = delete;
    SignalGrab &operator=(const SignalGrab &) = delete;

    bool grab(Image &into) override;

private:
    static void on_signal(int);

    pthread_t program_;
    sem_t copied_;
    // Set by the toolkit thread before the signal, read by the handler.
    std::atomic<Image *> target_{nullptr};
    std::atomic<bool> copied_ok_{false};
};

}  // namespace kelto::platform
