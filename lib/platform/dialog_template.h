// In-memory dialog templates in the platform's binary layout (a DLGTEMPLATE
// header followed by DLGITEMTEMPLATE items, little-endian, strings in 16-bit
// units), read into plain records for back ends without a dialog manager of
// their own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace kelto::platform {

// Ordinals of the predefined control classes.
enum : uint16_t {
    DIALOG_CLASS_BUTTON = 0x0080,
    DIALOG_CLASS_EDIT = 0x0081,
    DIALOG_CLASS_STATIC = 0x0082,
};

// One control: geometry in dialog units, relative to the dialog's client area.
struct DialogItemTemplate {
    uint32_t style = 0;
    uint32_t extended_style = 0;
    Rect units;
    int id = 0;
    uint16_t class_ordinal = 0;  // 0 when the class is named instead
    std::u16string class_name;
    std::u16string text;
};

// The dialog: geometry in dialog units, relative to the owner's client area.
struct DialogTemplate {
    uint32_t style = 0;
    uint32_t extended_style = 0;
    Rect units;
    std::u16string title;
    int font_size = 0;  // with DS_SETFONT only
    std::u16string font_name;
    std::vector<DialogItemTemplate> items;
};

// Reads a template; nothing when it is truncated, malformed or in the
// extended (DLGTEMPLATEEX) form, which is not supported.
std::optional<DialogTemplate> parse_dialog_template(std::span<const uint8_t> bytes);

}  // namespace kelto::platform
