// Handles, messages, virtual keys and style bits of the window system. The
// numbers mirror the classic desktop platform's, so message logs and dialog
// templates read the same everywhere.
#pragma once

#include <cstdint>

#include "pixels/rect.h"

namespace kelto::platform {

using WindowHandle = int;  // 0 is no window
using MenuHandle = int;    // 0 is no menu

// Message numbers.
enum : unsigned {
    WM_NULL = 0x0000,  // does nothing; posted to wake a waiting loop
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_SIZE = 0x0005,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_INITDIALOG = 0x0110,
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_LBUTTONDOWN = 0x0201,
};

// Virtual keys used by the library; letters and digits are their ASCII codes.
enum : unsigned {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_F4 = 0x73,
};

// Window styles.
enum : uint32_t {
    WS_OVERLAPPED = 0x00000000,
    WS_POPUP = 0x80000000,
    WS_CHILD = 0x40000000,
    WS_VISIBLE = 0x10000000,
    WS_CAPTION = 0x00C00000,
    WS_BORDER = 0x00800000,
    WS_SYSMENU = 0x00080000,
    WS_THICKFRAME = 0x00040000,
    WS_GROUP = 0x00020000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_TABSTOP = 0x00010000,
    WS_MAXIMIZEBOX = 0x00010000,
    WS_OVERLAPPEDWINDOW =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
};

// Dialog, edit, button and static styles (the low bits of an item's style).
enum : uint32_t {
    DS_SETFONT = 0x40,
    DS_MODALFRAME = 0x80,
    ES_MULTILINE = 0x4,
    ES_AUTOVSCROLL = 0x40,
    BS_PUSHBUTTON = 0x0,
    BS_DEFPUSHBUTTON = 0x1,
    BS_TYPEMASK = 0xF,
    SS_LEFT = 0x0,
};

// Class styles.
enum : uint32_t { CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002 };

// Show commands.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOWNOACTIVATE = 4,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_SHOWMINNOACTIVE = 7,
    SW_SHOWNA = 8,
};

// Menu item flags.
enum : unsigned {
    MF_STRING = 0x0000,
    MF_GRAYED = 0x0001,
    MF_UNCHECKED = 0x0000,
    MF_CHECKED = 0x0008,
    MF_POPUP = 0x0010,
    MF_SEPARATOR = 0x0800,
};

// Mouse-message flags (wparam): the left button is down.
enum : uintptr_t { MK_LBUTTON = 0x0001 };

// Command identifiers the dialog manager sends.
enum : int { IDOK = 1, IDCANCEL = 2 };

struct Message {
    WindowHandle window = 0;
    unsigned message = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
};

// Packs two 16-bit values the way mouse positions and sizes travel in lparam.
constexpr intptr_t make_lparam(int low, int high) {
    return static_cast<intptr_t>((static_cast<uint32_t>(low) & 0xFFFF) |
                                 ((static_cast<uint32_t>(high) & 0xFFFF) << 16));
}
constexpr unsigned low_word(intptr_t v) {
    return static_cast<unsigned>(v) & 0xFFFF;
}
constexpr unsigned high_word(intptr_t v) {
    return (static_cast<unsigned>(v) >> 16) & 0xFFFF;
}

// Key messages carry the repeat count in the low word of lparam and the
// character the key types (0 for none) in the high word, so a forwarded
// key-down still translates into its character.
constexpr intptr_t key_lparam(unsigned character, unsigned repeat = 1) {
    return make_lparam(static_cast<int>(repeat), static_cast<int>(character));
}

using WindowProc = intptr_t (*)(WindowHandle window, unsigned message, uintptr_t wparam,
                                intptr_t lparam);

}  // namespace kelto::platform
