// The off-screen surface all drawing renders into, as one object: its image
// (none until it is made), the origin of the program's centred coordinates,
// and the part of the image changed since it was last shown. Drawing marks
// what it changes; whoever shows the surface takes the changed part. The
// last filled box may be held back from the image until it is drawn into or
// read (pixels/held_box.h).
#pragma once

#include <algorithm>
#include <climits>

#include "draw/canvas.h"
#include "pixels/held_box.h"
#include "pixels/image.h"
#include "pixels/rect.h"

namespace kelto::draw {

class Surface {
public:
    // Makes the image, width x height and all black, and counts all of it
    // as changed. The origin stays where it was set.
    void create(int width, int height) {
        held_box_.drop();
        image_ = Image(width, height);
        changed_ = true;
        changed_area_ = {0, 0, image_.width, image_.height};
    }

    // The image, with every box drawn so far written into it.
    Image &image() {
        held_box_.write(image_);
        return image_;
    }
    int width() const { return image_.width; }
    int height() const { return image_.height; }
    // The image in program coordinates, to draw into.
    Canvas canvas() { return Canvas{&image(), origin_x_, origin_y_}; }

    // Fills `area` of the image (clipped to it) with `color`, or holds the
    // box back, to be written when something else draws or looks, and not
    // where the next box covers it.
    void fill_box(const Rect &area, uint32_t color) { held_box_.hold(image_, area, color); }
    // The held box, for a copy of the image taken at any point of a call.
    const HeldBox &held_box() const { return held_box_; }

    // Program point (0, 0) is pixel (x, y) of the image.
    void set_origin(int x, int y) {
        origin_x_ = x;
        origin_y_ = y;
    }
    int origin_x() const { return origin_x_; }
    int origin_y() const { return origin_y_; }

    // Drawing changed `area` of the image (perhaps nothing, but the surface
    // counts as changed).
    void mark_changed(const Rect &area) {
        changed_ = true;
        Rect &changed = changed_area_;
        // Mostly the area lies inside what has changed already, and nothing
        // is written: a run of calls then does not wait on its own stores.
        if (area.left >= changed.left && area.top >= changed.top && area.right <= changed.right &&
            area.bottom <= changed.bottom)
            return;
        if (area.empty()) return;
        changed.left = std::min(changed.left, area.left);
        changed.top = std::min(changed.top, area.top);
        changed.right = std::max(changed.right, area.right);
        changed.bottom = std::max(changed.bottom, area.bottom);
    }
    // All of the image changed.
    void mark_all_changed() { mark_changed({0, 0, image_.width, image_.height}); }

    // Whether drawing has marked the surface since it was last taken.
    bool changed() const { return changed_; }
    // The part of the image changed since it was last taken; empty when
    // drawing changed nothing of it.
    Rect changed_area() const { return changed_area_.empty() ? Rect{} : changed_area_; }
    // Takes the changed part to show it: from now on nothing has changed.
    Rect take_changed() {
        const Rect area = changed_area();
        changed_ = false;
        changed_area_ = kNothingChanged;
        return area;
    }

private:
    // An empty rectangle inside out: every rectangle added to it replaces it,
    // so that adding is min and max alone.
    static constexpr Rect kNothingChanged{INT_MAX, INT_MAX, INT_MIN, INT_MIN};

    Image image_;
    HeldBox held_box_;
    int origin_x_ = 0;
    int origin_y_ = 0;
    bool changed_ = true;
    Rect changed_area_ = kNothingChanged;
};

}  // namespace kelto::draw
