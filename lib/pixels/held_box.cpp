// Holding back the last filled box, and writing it around the next one.
#include "pixels/held_box.h"

#include <algorithm>

namespace kelto {

namespace {

void fill(Image &img, const Rect &area, uint32_t color) {
    fill_rect(img, area.left, area.top, area.right, area.bottom, color);
}

// Fills `area` except where `hole` lies: the rows above and below the hole
// whole, the rows beside it left and right of it.
void fill_around(Image &img, const Rect &area, const Rect &hole, uint32_t color) {
    const Rect cut{std::max(area.left, hole.left), std::max(area.top, hole.top),
                   std::min(area.right, hole.right), std::min(area.bottom, hole.bottom)};
    if (cut.empty()) {
        fill(img, area, color);
        return;
    }
    fill(img, {area.left, area.top, area.right, cut.top}, color);
    fill(img, {area.left, cut.top, cut.left, cut.bottom}, color);
    fill(img, {cut.right, cut.top, area.right, cut.bottom}, color);
    fill(img, {area.left, cut.bottom, area.right, area.bottom}, color);
}

}  // namespace

void HeldBox::hold(Image &img, const Rect &area, uint32_t color) {
    // A box that draws nothing leaves the held one as it is.
    if (area.empty()) return;
    if (held_.load(std::memory_order_relaxed)) {
        fill_around(img, area_, area, color_);
        held_.store(false, std::memory_order_relaxed);
        std::atomic_signal_fence(std::memory_order_release);
    }
    area_ = area;
    color_ = color;
    std::atomic_signal_fence(std::memory_order_release);
    held_.store(true, std::memory_order_release);
}

void HeldBox::write_held(Image &img) {
    fill(img, area_, color_);
    std::atomic_signal_fence(std::memory_order_release);
    held_.store(false, std::memory_order_release);
}

void HeldBox::overlay(Image &copy) const {
    if (!held_.load(std::memory_order_acquire)) return;
    std::atomic_signal_fence(std::memory_order_acquire);
    fill(copy, area_, color_);
}

}  // namespace kelto
