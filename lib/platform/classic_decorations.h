// The classic desktop's window decorations as a fixed model: a 3-pixel frame
// on each side, a 23-pixel caption and a 21-pixel menu bar, so a 601 x 540
// window with a menu has a 595 x 490 client area. Displays that have no
// decorations of their own to measure (the headless one, the web page)
// size client areas with it, so a program's centre and its pictures are the
// same in the tests, the replay runner and the browser.
#pragma once

#include <cstdint>

#include "pixels/rect.h"

namespace kelto::platform {

struct ClassicDecorations {
    int frame_left = 3;
    int frame_top = 3;
    int frame_right = 3;
    int frame_bottom = 3;
    int caption = 23;
    int menu_bar = 21;

    // The client area these leave inside an outer size, for a window of
    // this style, with or without a menu bar.
    Rect client_for(uint32_t style, bool has_menu, int outer_width, int outer_height) const;
};

}  // namespace kelto::platform
