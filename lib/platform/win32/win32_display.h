// The Windows display: real top-level windows with the real caption, frame
// and menu bar, showing the retained client images; the line-input dialog as
// a real dialog; the user's input reported to the window system; and waiting
// in MsgWaitForMultipleObjectsEx, so a waiting program uses no CPU. A
// program gets it on a thread of its own (display_thread.h); tests drive it
// on theirs.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/win32/windows_api.h"

namespace kelto::platform {

class NativeDialog;
class NativeWindow;

class Win32Display : public Display {
public:
    Win32Display();
    ~Win32Display() override;
    Win32Display(const Win32Display &) = delete;
    Win32Display &operator=(const Win32Display &) = delete;

    // ---- Display
    void attach(DisplayHost &host) override;
    int screen_width() const override;
    int screen_height() const override;
    Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                         int outer_height) const override;
    void window_created(WindowHandle window) override;
    void window_destroyed(WindowHandle window) override;
    void window_shown(WindowHandle window, bool visible) override;
    void client_changed(WindowHandle window, const Rect &area) override;
    void menu_changed(WindowHandle window) override;
    DialogBaseUnits dialog_base_units() const override;
    void dialog_started(WindowHandle dialog) override;
    void dialog_item_changed(WindowHandle dialog, int item_id) override;
    int64_t now_ms() const override;
    void wait(std::optional<int64_t> deadline_ms, WaitFor what) override;
    void poll() override;

    // Hints go to the debugger and, for a program started from a console,
    // to that console.
    void hint(std::string_view line) override;

    DisplayHost &host() { return *host_; }
    // Dispatches every native message already queued.
    void pump();
    // The window or dialog a native window (or one of its controls) shows; 0 if none.
    WindowHandle handle_of(HWND hwnd) const;
    // A native window was destroyed from outside the program. The window
    // system hears of it once the native message in hand has been handled.
    void window_lost(WindowHandle window) { lost_.push_back(window); }

private:
    HWND native_of(WindowHandle window) const;

    HINSTANCE instance_ = nullptr;
    DisplayHost *host_ = nullptr;
    std::map<WindowHandle, std::unique_ptr<NativeWindow>> top_windows_;
    // Declared after top_windows_, so a dialog goes before its owner.
    std::map<WindowHandle, std::unique_ptr<NativeDialog>> dialogs_;
    std::vector<WindowHandle> lost_;
    LARGE_INTEGER clock_start_{};
    LARGE_INTEGER clock_frequency_{};
};

}  // namespace kelto::platform
