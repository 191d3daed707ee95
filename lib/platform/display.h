// The contract between the window system and a display back end: the only
// thing that touches a GUI. The window system tells the display what changed;
// the display turns the user's input into queued messages and does the waiting.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/messages.h"

namespace kelto::platform {

class WindowSystem;

class Display {
public:
    virtual ~Display() = default;

    // Called once when the window system takes the display.
    virtual void attach(WindowSystem &windows) = 0;

    // ---- Screen and decorations
    virtual int screen_width() const = 0;
    virtual int screen_height() const = 0;
    // The client area left inside an outer window size by the frame, caption
    // and (when present) the menu bar of a window of this style.
    virtual Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                 int outer_height) const = 0;

    // ---- Window life and appearance
    virtual void window_created(WindowHandle window) = 0;
    virtual void window_destroyed(WindowHandle window) = 0;
    virtual void window_shown(WindowHandle window, bool visible) = 0;
    virtual void client_changed(WindowHandle window) = 0;  // the retained image changed
    virtual void menu_changed(WindowHandle window) = 0;    // structure or check marks

    // ---- Time and waiting
    virtual int64_t now_ms() const = 0;
    // Blocks until input has been queued or the deadline (if any) has passed.
    virtual void wait(std::optional<int64_t> deadline_ms) = 0;
};

}  // namespace kelto::platform
