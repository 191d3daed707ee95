// What the user does on the web page, as the page queues it, reported to the
// window system. Free of browser code, so it is built and tested natively as
// well.
#pragma once

#include <string>

#include "platform/messages.h"

namespace kelto::platform {

class DisplayHost;

// One record of the page's input queue. The kinds and the meaning of a, b
// and c are shared with page/kelto_web.js.
struct PageInput {
    enum Kind : int {
        None = 0,
        MouseDown = 1,  // a, b: client position of a left-button press
        KeyDown = 2,    // a: virtual key, b: character typed (0 for none)
        KeyUp = 3,      // a: virtual key
        Command = 4,    // a: command id (a menu item, a dialog button)
        Close = 5,      // the close box
        Focus = 6,      // the window took the keyboard focus; 0: the page lost it
        ItemText = 7,   // a: a dialog item's id, `text` its new text
    };
    int kind = None;
    WindowHandle window = 0;
    int a = 0;
    int b = 0;
    std::u16string text;
};

// Reports what the record stands for: a command or the close box of a
// running dialog as the dialog's button, cancel or close, otherwise as the
// window's. Records of no known kind are dropped.
void report_page_input(DisplayHost &host, const PageInput &input);

}  // namespace kelto::platform
