// Qt key codes to virtual keys, and key text to the character typed.
#include "platform/qt/key_map.h"

#include <QtGui/QKeyEvent>

#include "platform/messages.h"

namespace kelto::platform {

namespace {

// Virtual keys beyond the ones the library itself names.
enum : unsigned {
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
};

}  // namespace

unsigned virtual_key(int qt_key) {
    if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return static_cast<unsigned>(qt_key);
    if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return static_cast<unsigned>(qt_key);
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F12)
        return VK_F1 + static_cast<unsigned>(qt_key - Qt::Key_F1);
    switch (qt_key) {
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        default: return 0;
    }
}

unsigned typed_character(const QKeyEvent &event) {
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const char16_t code = text.front().unicode();
    // Latin-1 without the C1 controls, which no keyboard types.
    if (code > 0xFF || (code >= 0x80 && code < 0xA0)) return 0;
    return code;
}

bool is_system_key(const QKeyEvent &event) {
    return event.key() == Qt::Key_Alt || (event.modifiers() & Qt::AltModifier);
}

}  // namespace kelto::platform
