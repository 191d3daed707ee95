// The in-memory template of the line input dialog, written field by field
// in the platform's binary layout (little-endian, strings in 16-bit units,
// each item on a 4-byte boundary), so any back end can take it unchanged.
#include <string>

#include "console/gets.h"
#include "draw/text_encoding.h"
#include "platform/dialog_template.h"

namespace kelto::console {

using namespace platform;

namespace {

constexpr uint32_t kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr uint32_t kEditStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr uint32_t kPromptStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;

// Writes into the zeroed template; a write that would pass its end is dropped.
class Writer {
public:
    explicit Writer(GetsTemplate &bytes) : bytes_(bytes) {}

    void u16(unsigned value) {
        if (at_ + 2 > bytes_.size()) return;
        bytes_[at_] = static_cast<uint8_t>(value & 0xFF);
        bytes_[at_ + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
        at_ += 2;
    }
    void u32(uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    // A string of 16-bit units and its terminating zero unit.
    void text(std::u16string_view units) {
        for (const char16_t unit : units) u16(unit);
        u16(0);
    }
    void align4() { at_ = (at_ + 3) / 4 * 4; }

private:
    GetsTemplate &bytes_;
    std::size_t at_ = 0;
};

void write_item(Writer &out, uint32_t style, unsigned x, unsigned y, unsigned width,
                unsigned height, unsigned id, uint16_t class_ordinal, std::u16string_view text) {
    out.align4();
    out.u32(style);
    out.u32(0);  // extended style
    out.u16(x);
    out.u16(y);
    out.u16(width);
    out.u16(height);
    out.u16(id);
    out.u16(0xFFFF);  // a predefined class, by ordinal
    out.u16(class_ordinal);
    out.text(text);
    out.u16(0);  // no creation data
}

// The prompt read as text_encoding.h says, cut to the first 79 units of
// 16 bits (a character beyond U+FFFF takes two), then blanks up to 79.
std::u16string fitted_prompt(const char *prompt) {
    constexpr auto kUnits = static_cast<std::size_t>(kGetsPromptLength);
    std::u16string units;
    bool full = false;
    if (prompt != nullptr) {
        text::for_each_character(prompt, [&](char32_t c) {
            full = full || units.size() + (c < 0x10000 ? 1 : 2) > kUnits;
            if (full) return;
            if (c < 0x10000) {
                units += static_cast<char16_t>(c);
            } else {
                units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            }
        });
    }
    units.resize(kUnits, u' ');
    return units;
}

}  // namespace

GetsTemplate build_gets_template(const char *prompt) {
    GetsTemplate bytes{};
    Writer out(bytes);
    out.u32(kDialogStyle);
    out.u32(0);  // extended style
    out.u16(3);  // items
    out.u16(50);
    out.u16(50);
    out.u16(185);
    out.u16(92);
    out.u16(0);  // no menu
    out.u16(0);  // the predefined dialog class
    out.text(u"KELTO_gets");
    write_item(out, kEditStyle, 8, 30, 167, 37, GETS_EDIT, DIALOG_CLASS_EDIT, u"");
    write_item(out, kButtonStyle, 67, 74, 50, 14, GETS_OKAY, DIALOG_CLASS_BUTTON, u"Okay");
    write_item(out, kPromptStyle, 8, 3, 167, 24, GETS_PROMPT, DIALOG_CLASS_STATIC,
               fitted_prompt(prompt));
    return bytes;
}

}  // namespace kelto::console
