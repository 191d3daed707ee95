// Measured decorations and the client area they leave.
#include "platform/qt/decorations.h"

#include <algorithm>

namespace kelto::platform {

Rect Decorations::client_for(uint32_t style, bool has_menu, int outer_width,
                             int outer_height) const {
    const Frame frame = frame_for(style);
    const int width = outer_width - frame.left - frame.right;
    const int height = outer_height - frame.top - frame.bottom - (has_menu ? menu_bar_ : 0);
    return Rect{0, 0, std::max(0, width), std::max(0, height)};
}

Frame Decorations::frame_for(uint32_t style) const {
    if (auto it = frames_.find(style); it != frames_.end()) return it->second;
    return last_.value_or(Frame{});
}

void Decorations::note_frame(uint32_t style, const Frame &frame) {
    frames_[style] = frame;
    last_ = frame;
}

}  // namespace kelto::platform
