// All a display sees of the window system it shows: the windows, dialogs
// and menus to read, whether the program has a message to take, and one
// entry point per kind of input (input.h), each doing the window's enabled
// check and the message packing.
#pragma once

#include <string>

#include "platform/dialog.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/window.h"

namespace kelto::platform {

class DisplayHost {
public:
    // ---- Input
    virtual void report(const Click &click) = 0;
    virtual void report(const KeyDown &key) = 0;
    virtual void report(const KeyUp &key) = 0;
    virtual void report(const MenuCommand &command) = 0;
    virtual void report(const CloseRequest &close) = 0;
    virtual void report(const DialogButton &press) = 0;
    virtual void report(const DialogCancel &cancel) = 0;
    virtual void report(const DialogClose &close) = 0;
    // A running dialog ends as cancelled; any other window is asked to close.
    virtual void report(const WindowLost &lost) = 0;
    virtual void report(const WindowMoved &moved) = 0;
    virtual void report(const FocusChanged &focus) = 0;
    virtual void report(const DialogTextEdited &edit) = 0;
    // A window just shown has been placed and decorated by the window
    // manager, and its geometry reported: a display's await_placed is over.
    virtual void window_placed(WindowHandle /*window*/) {}

    // ---- What there is to show; nullptr or empty for no such thing
    virtual const Window *window(WindowHandle window) const = 0;
    virtual const Dialog *dialog(WindowHandle dialog) const = 0;
    virtual const Menu *menu(MenuHandle menu) const = 0;
    // Everything of a menu that a native menu cannot change in place (texts,
    // identifiers, separators, drop-downs), as one string: a display rebuilds
    // its menu when this changes, and otherwise only follows check marks and
    // greyed states.
    virtual std::string menu_layout(MenuHandle menu) const = 0;
    // A window's client image, brought up to date first: the image a
    // display shows or a test reads back. nullptr for no such window.
    virtual const Image *client_image(WindowHandle window) = 0;

    // ---- Waiting
    // True when the program has a message to take now: a display's wait
    // returns as soon as it is.
    virtual bool message_ready() = 0;

protected:
    ~DisplayHost() = default;
};

}  // namespace kelto::platform
