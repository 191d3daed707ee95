// The client area inside the classic decorations.
#include "platform/classic_decorations.h"

#include <algorithm>

#include "platform/messages.h"

namespace kelto::platform {

Rect ClassicDecorations::client_for(uint32_t style, bool has_menu, int outer_width,
                                    int outer_height) const {
    const bool framed = (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
    const int across = framed ? frame_left + frame_right : 0;
    const int down = (framed ? frame_top + frame_bottom : 0) +
                     ((style & WS_CAPTION) == WS_CAPTION ? caption : 0) + (has_menu ? menu_bar : 0);
    return Rect{0, 0, std::max(0, outer_width - across), std::max(0, outer_height - down)};
}

}  // namespace kelto::platform
