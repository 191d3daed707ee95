// A top-level window on the desktop for one window of the window system: it
// shows the retained client image, carries the native menu bar, and reports
// the user's mouse, keys, focus and close box to the window system.
#pragma once

#include <memory>

#include "platform/win32/menu_bar.h"
#include "platform/win32/windows_api.h"

namespace kelto::platform {

class Win32Display;

class NativeWindow {
public:
    static constexpr const wchar_t *kClassName = L"KeltoWindow";
    // Registers the window class of every NativeWindow; false if it fails.
    static bool register_class(HINSTANCE instance);

    NativeWindow(Win32Display &display, WindowHandle window, HINSTANCE instance);
    ~NativeWindow();
    NativeWindow(const NativeWindow &) = delete;
    NativeWindow &operator=(const NativeWindow &) = delete;

    HWND hwnd() const { return hwnd_; }
    // From now on the native window tells the window system nothing: it is
    // going, or the window system is.
    void disconnect();
    void set_shown(bool visible);
    void client_changed(const Rect &area);
    void menu_changed();

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void paint();
    void report_key_down(WPARAM key, LPARAM flags);
    // The window system's outer rectangle follows the real one.
    void sync_geometry();

    Win32Display &display_;
    DisplayHost &host_;
    WindowHandle window_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<NativeMenuBar> menu_bar_;
    bool syncing_ = false;
};

}  // namespace kelto::platform
