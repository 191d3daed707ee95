// Copies the picture a program is drawing at any moment, without its help:
// the program thread may be in a loop that calls nothing. The program thread
// names the picture; the toolkit thread takes copies of it.
#pragma once

#include <atomic>

#include "pixels/image.h"
#include "platform/messages.h"

namespace kelto {
class HeldBox;  // pixels/held_box.h
}

namespace kelto::platform {

class PictureGrab {
public:
    virtual ~PictureGrab() = default;

    // ---- Program thread
    // The picture drawn for `window`, or nullptr for none, and the box held
    // back from it (or nullptr); both must stay valid until replaced.
    void set_source(WindowHandle window, const Image *picture, const HeldBox *held) {
        held_.store(held, std::memory_order_relaxed);
        picture_.store(picture, std::memory_order_relaxed);
        window_.store(window, std::memory_order_relaxed);
    }
    // While the program thread may reallocate the picture, grabs decline.
    void set_busy(bool busy) { busy_.store(busy, std::memory_order_relaxed); }

    // ---- Toolkit thread
    WindowHandle window() const { return window_.load(std::memory_order_relaxed); }
    // Copies the picture into `into`, which has the size of the window's
    // shown image, as the window shows it; false when there is nothing to take.
    virtual bool grab(Image &into) = 0;

protected:
    // Program thread, the caller of set_source: copies the picture into
    // `into` unless there is none or it is busy.
    bool copy_source(Image &into) const;

private:
    std::atomic<const Image *> picture_{nullptr};
    std::atomic<const HeldBox *> held_{nullptr};
    std::atomic<WindowHandle> window_{0};
    std::atomic<bool> busy_{false};
};

}  // namespace kelto::platform
