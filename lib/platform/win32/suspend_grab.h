// A picture grab on Windows: the toolkit thread suspends the program thread,
// copies its picture while it stands still, and lets it go on. Nothing is
// allocated while the program thread is suspended, as it may hold the heap.
#pragma once

#include "platform/threaded/grab.h"
#include "platform/win32/windows_api.h"

namespace kelto::platform {

class SuspendGrab final : public PictureGrab {
public:
    // Made on the program thread, which it grabs from.
    SuspendGrab();
    ~SuspendGrab() override;
    SuspendGrab(const SuspendGrab &) = delete;
    SuspendGrab &operator=(const SuspendGrab &) = delete;

    bool grab(Image &into) override;

private:
    HANDLE program_ = nullptr;
};

}  // namespace kelto::platform
