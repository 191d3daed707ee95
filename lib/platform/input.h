// What a display reports: the user's actions and what the desktop did to a
// window, one plain record per kind, each handed to the display's host
// (display_host.h) as it happens. Records are plain data, so a display that
// runs its toolkit on a thread of its own can queue them for the program's
// thread instead.
#pragma once

#include <string>

#include "pixels/rect.h"
#include "platform/messages.h"

namespace kelto::platform {

// ---------------------------------------------------------------- The user's actions
// Each becomes the messages the action means for the program. A window that
// takes no input (it owns a running modal dialog, or it is gone) ignores them.

// A left-button press at a position in the client area.
struct Click {
    WindowHandle window = 0;
    int x = 0;
    int y = 0;
};

// A key pressed: its virtual key and the character it types (0 for none of
// either), held down for `repeat` presses.
struct KeyDown {
    WindowHandle window = 0;
    unsigned virtual_key = 0;
    unsigned character = 0;
    unsigned repeat = 1;
};

// A key let go.
struct KeyUp {
    WindowHandle window = 0;
    unsigned virtual_key = 0;
};

// An item of the window's menu chosen.
struct MenuCommand {
    WindowHandle window = 0;
    int id = 0;
};

// The close box: the window asks its procedure whether to close.
struct CloseRequest {
    WindowHandle window = 0;
};

// A push button of a running dialog pressed; IDOK for Enter in a dialog
// without a default button.
struct DialogButton {
    WindowHandle dialog = 0;
    int item_id = 0;
};

// Escape in a running dialog.
struct DialogCancel {
    WindowHandle dialog = 0;
};

// The close box of a running dialog.
struct DialogClose {
    WindowHandle dialog = 0;
};

// ---------------------------------------------------------------- What the desktop did

// What showed the window has been destroyed from outside the program.
struct WindowLost {
    WindowHandle window = 0;
};

// The user moved or sized the window: its outer rectangle, frame included,
// on the screen now.
struct WindowMoved {
    WindowHandle window = 0;
    Rect outer;
};

// The keyboard focus went to the window, or (0) to another program.
struct FocusChanged {
    WindowHandle window = 0;
};

// The user changed the text of a running dialog's item.
struct DialogTextEdited {
    WindowHandle dialog = 0;
    int item_id = 0;
    std::u16string text;
};

}  // namespace kelto::platform
