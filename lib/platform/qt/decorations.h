// What the desktop adds around a window's client area: the window manager's
// frame (per window style) and the menu bar, as measured on shown windows.
// Until a window of a style has been shown the frame is taken as none, which
// is exact without a window manager and corrected after the first showing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/messages.h"

namespace kelto::platform {

struct Frame {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Frame &) const = default;
};

class Decorations {
public:
    explicit Decorations(int menu_bar_estimate) : menu_bar_(menu_bar_estimate) {}

    // The client area inside an outer size: frame and menu bar taken off.
    Rect client_for(uint32_t style, bool has_menu, int outer_width, int outer_height) const;
    // The frame of a style: measured, else the last frame measured on any
    // window, else none.
    Frame frame_for(uint32_t style) const;

    void note_frame(uint32_t style, const Frame &frame);
    void note_menu_bar(int height) { menu_bar_ = height; }

private:
    std::map<uint32_t, Frame> frames_;
    std::optional<Frame> last_;
    int menu_bar_;
};

}  // namespace kelto::platform
