// A window class and a window of the window system, as the program made
// them: what the window procedure is, what the display shows (title, style,
// outer rectangle, visibility, menu, the retained client image).
#pragma once

#include <cstdint>
#include <string>

#include "pixels/image.h"
#include "platform/messages.h"

namespace kelto::platform {

struct WindowClass {
    std::string name;
    WindowProc procedure = nullptr;
    uint32_t style = 0;       // CS_* bits
    uint32_t background = 0;  // 0x00RRGGBB used to erase invalid client areas
};

struct Window {
    WindowHandle handle = 0;
    std::string class_name;
    WindowProc procedure = nullptr;
    uint32_t class_style = 0;
    uint32_t background = 0;
    std::string title;
    uint32_t style = 0;
    Rect outer;   // screen coordinates, frame included
    Rect client;  // (0, 0, width, height)
    bool visible = false;
    bool needs_paint = false;
    bool needs_erase = false;
    MenuHandle menu = 0;
    WindowHandle owner = 0;
    Image image;  // the retained client area
};

}  // namespace kelto::platform
