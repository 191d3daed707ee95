// The last filled box drawn, held back from its image until something else
// draws or looks: a box drawn over it next (a card over its background) then
// writes its pixels once, not twice. Whoever reads the image writes the held
// box first; a copy taken while the program is stopped at any point adds it
// with overlay().
#pragma once

#include <atomic>
#include <cstdint>

#include "pixels/image.h"
#include "pixels/rect.h"

namespace kelto {

class HeldBox {
public:
    // Holds a fill of `area` of `img` (already clipped to it; empty draws
    // nothing) with `color`. The box held before is written where `area`
    // does not cover it.
    void hold(Image &img, const Rect &area, uint32_t color);

    // Writes the held box into `img`, if there is one.
    void write(Image &img) {
        if (held_.load(std::memory_order_relaxed)) write_held(img);
    }

    // Forgets the held box unwritten, for an image made anew.
    void drop() { held_.store(false, std::memory_order_relaxed); }

    // Fills the held box, if there is one, into `copy`, a copy of the image
    // (perhaps only its top-left part) taken on the drawing thread, or while
    // it was stopped, at any point of a drawing call.
    void overlay(Image &copy) const;

private:
    void write_held(Image &img);

    Rect area_;
    uint32_t color_ = 0;
    // Set after area_ and colour, cleared after the box is written: a copy
    // that sees it set finds the whole box there to add.
    std::atomic<bool> held_{false};
};

}  // namespace kelto
