// A running modal dialog of the window system: its items as the template
// made them, with their current texts and pixel places, and its focus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/messages.h"

namespace kelto::platform {

// A dialog procedure has the window procedure's form and returns nonzero for
// a message it handled; from WM_INITDIALOG, nonzero asks for the default focus.
using DialogProc = WindowProc;

// A control of a running dialog: control.text is its current text, pixels
// its place in the dialog's client area.
struct DialogItem {
    DialogItemTemplate control;
    Rect pixels;
};

// A running modal dialog. Its window is of the class "#32770" and its
// messages go to the dialog manager, which hands each to `procedure` first.
struct Dialog {
    WindowHandle owner = 0;
    DialogProc procedure = nullptr;
    std::u16string title;
    Rect units;  // the template's geometry, relative to the owner's client area
    std::vector<DialogItem> items;
    int focus = -1;  // index of the item with the keyboard focus; -1 for none
    bool ended = false;
    intptr_t result = 0;
    bool shift_down = false;
    bool alt_down = false;
    // The template as the program gave it, for a display that shows the
    // dialog through a dialog manager of its own.
    std::vector<uint8_t> template_bytes;

    // The item with the keyboard focus, or nullptr.
    DialogItem *focused_item() {
        return focus >= 0 ? &items[static_cast<std::size_t>(focus)] : nullptr;
    }
    const DialogItem *focused_item() const {
        return focus >= 0 ? &items[static_cast<std::size_t>(focus)] : nullptr;
    }
};

}  // namespace kelto::platform
