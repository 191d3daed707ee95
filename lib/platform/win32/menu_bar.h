// A native menu bar (CreateMenu, AppendMenu) built from the window system's
// menu model: rebuilt when the model's structure changes, and otherwise
// following its check marks and greyed states in place.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace kelto::platform {

class NativeMenuBar {
public:
    NativeMenuBar(const DisplayHost &host, HWND window) : host_(host), window_(window) {}
    ~NativeMenuBar();
    NativeMenuBar(const NativeMenuBar &) = delete;
    NativeMenuBar &operator=(const NativeMenuBar &) = delete;

    // Shows `menu` (0 for none) as the window's menu bar.
    void sync(MenuHandle menu);

private:
    void add_items(HMENU target, MenuHandle menu) const;
    void update_states(HMENU target, MenuHandle menu) const;

    const DisplayHost &host_;
    HWND window_;
    HMENU bar_ = nullptr;  // owned; its drop-downs go with it
    std::string layout_;
};

}  // namespace kelto::platform
