// The display in a web page (WebAssembly): each top-level window is a frame
// on the page with its title, an HTML menu bar built from the menu model and
// a canvas showing the retained client image; dialogs are HTML <dialog>s;
// the page's input is reported to the window system; waiting gives the
// browser its turn until input arrives or the deadline passes, so an idle
// page runs no code at all.
#pragma once

#include <map>

#include "platform/display.h"

namespace kelto::platform {

class WebDisplay : public Display {
public:
    // The page's screen: as wide as a usual desktop, and tall enough that a
    // window across the bottom third of it (the console) shows 25 rows of
    // 15 pixels under the classic caption and frame.
    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 1218;

    // ---- Display
    void attach(DisplayHost &host) override { host_ = &host; }
    int screen_width() const override { return kScreenWidth; }
    int screen_height() const override { return kScreenHeight; }
    Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                         int outer_height) const override;
    void window_created(WindowHandle window) override;
    void window_destroyed(WindowHandle window) override;
    void window_shown(WindowHandle window, bool visible) override;
    void client_changed(WindowHandle window, const Rect &area) override;
    void menu_changed(WindowHandle window) override;
    void dialog_started(WindowHandle dialog) override;
    void dialog_item_changed(WindowHandle dialog, int item_id) override;
    int64_t now_ms() const override;
    void wait(std::optional<int64_t> deadline_ms, WaitFor what) override;
    void poll() override;

private:
    // Shows every window's changed part on its canvas.
    void present();
    // Reports the input the page has queued.
    void take_input();

    DisplayHost *host_ = nullptr;
    std::map<WindowHandle, Rect> changed_;  // per window, the part not shown yet
    double last_turn_ms_ = 0;               // when the browser last had its turn
};

}  // namespace kelto::platform
