// A rectangle of pixels, right and bottom edges excluded: window geometry,
// client areas and the parts of an image that drawing changed.
#pragma once

namespace kelto {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect united(const Rect &other) const {
        if (other.empty()) return *this;
        if (empty()) return other;
        return {left < other.left ? left : other.left, top < other.top ? top : other.top,
                right > other.right ? right : other.right,
                bottom > other.bottom ? bottom : other.bottom};
    }
    bool operator==(const Rect &) const = default;
};

}  // namespace kelto
