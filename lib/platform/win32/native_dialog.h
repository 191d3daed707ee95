// A running dialog of the window system shown as a real Windows dialog,
// made modeless from the very template bytes the program gave: the window
// system keeps running the modal loop (so the dialog procedure, the owner's
// disabled state and script playback behave as on every display), and this
// dialog reports typed text, button presses, Escape and the close box to it
// as the Qt display's dialogs do.
#pragma once

#include "platform/win32/windows_api.h"

namespace kelto::platform {

class Win32Display;

class NativeDialog {
public:
    NativeDialog(Win32Display &display, WindowHandle dialog, HWND owner, HINSTANCE instance);
    ~NativeDialog();
    NativeDialog(const NativeDialog &) = delete;
    NativeDialog &operator=(const NativeDialog &) = delete;

    HWND hwnd() const { return hwnd_; }
    // From now on the native dialog tells the window system nothing.
    void disconnect();
    void set_shown(bool visible);
    // Shows the model's text of an item where it differs from the widget's.
    void item_changed(int item_id);

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
    void text_edited(int item_id);
    void take_edited_texts();

    Win32Display &display_;
    DisplayHost &host_;
    WindowHandle dialog_;
    HWND owner_;
    HWND hwnd_ = nullptr;
};

}  // namespace kelto::platform
