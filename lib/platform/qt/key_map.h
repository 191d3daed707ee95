// Turns Qt key events into the window system's virtual keys and typed
// characters.
#pragma once

#include <QtCore/qnamespace.h>

class QKeyEvent;

namespace kelto::platform {

// The virtual key of a Qt key: letters 'A'..'Z', digits '0'..'9', the named
// keys the library knows; 0 for a key without one.
unsigned virtual_key(int qt_key);

// The Latin-1 character a key press types: its text when that is exactly one
// printable or control character of Latin-1, otherwise 0.
unsigned typed_character(const QKeyEvent &event);

// Keys the platform keeps for itself (Alt combinations, the Alt key): they
// open the menu by its mnemonic and never reach a window procedure.
bool is_system_key(const QKeyEvent &event);

}  // namespace kelto::platform
