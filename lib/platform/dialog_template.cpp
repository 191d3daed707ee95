// Reading in-memory dialog templates, checking every field against the end
// of the bytes.
#include "platform/dialog_template.h"

namespace kelto::platform {

namespace {

constexpr size_t kHeaderSize = 18;
constexpr size_t kItemHeaderSize = 18;

// A cursor over the template bytes that fails, rather than reads past the end.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    uint16_t u16() {
        if (!has(2)) return fail();
        const uint16_t value = static_cast<uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
        at_ += 2;
        return value;
    }

    uint32_t u32() {
        const uint32_t low = u16();
        const uint32_t high = u16();
        return low | (high << 16);
    }

    int i16() { return static_cast<int16_t>(u16()); }

    // A zero-terminated string of 16-bit units.
    std::u16string text() {
        std::u16string value;
        for (uint16_t unit = u16(); ok_ && unit != 0; unit = u16()) value.push_back(unit);
        return value;
    }

    // A name or, after the 0xFFFF mark, an ordinal; a lone zero is neither.
    void name_or_ordinal(uint16_t &ordinal, std::u16string &name) {
        if (!has(2)) {
            fail();
            return;
        }
        if (bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
            u16();
            ordinal = u16();
        } else {
            name = text();
        }
    }

    void skip(size_t count) {
        if (!has(count)) {
            fail();
            return;
        }
        at_ += count;
    }

    void align4() { skip((4 - at_ % 4) % 4); }

private:
    bool has(size_t count) const { return ok_ && count <= bytes_.size() - at_; }
    uint16_t fail() {
        ok_ = false;
        return 0;
    }

    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    bool ok_ = true;
};

Rect read_units(Reader &reader) {
    const int x = reader.i16();
    const int y = reader.i16();
    const int width = reader.i16();
    const int height = reader.i16();
    return Rect{x, y, x + width, y + height};
}

std::optional<DialogItemTemplate> read_item(Reader &reader) {
    DialogItemTemplate item;
    reader.align4();
    item.style = reader.u32();
    item.extended_style = reader.u32();
    item.units = read_units(reader);
    item.id = reader.u16();
    reader.name_or_ordinal(item.class_ordinal, item.class_name);
    uint16_t text_resource = 0;
    reader.name_or_ordinal(text_resource, item.text);
    // The creation data's first word counts its bytes, that word included.
    const uint16_t creation_bytes = reader.u16();
    if (creation_bytes > 2) reader.skip(creation_bytes - 2u);
    if (!reader.ok()) return std::nullopt;
    return item;
}

}  // namespace

std::optional<DialogTemplate> parse_dialog_template(std::span<const uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) return std::nullopt;
    // The extended form starts with version 1 and the signature 0xFFFF.
    if (bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF) return std::nullopt;
    Reader reader(bytes);
    DialogTemplate dialog;
    dialog.style = reader.u32();
    dialog.extended_style = reader.u32();
    const int item_count = reader.u16();
    dialog.units = read_units(reader);
    uint16_t menu_ordinal = 0;
    std::u16string menu_name;
    reader.name_or_ordinal(menu_ordinal, menu_name);
    uint16_t class_ordinal = 0;
    std::u16string class_name;
    reader.name_or_ordinal(class_ordinal, class_name);
    dialog.title = reader.text();
    if (dialog.style & DS_SETFONT) {
        dialog.font_size = reader.u16();
        dialog.font_name = reader.text();
    }
    if (!reader.ok()) return std::nullopt;
    // Each item needs at least its fixed header, which bounds a bogus count.
    if (static_cast<size_t>(item_count) * kItemHeaderSize > bytes.size()) return std::nullopt;
    for (int i = 0; i < item_count; ++i) {
        auto item = read_item(reader);
        if (!item) return std::nullopt;
        dialog.items.push_back(std::move(*item));
    }
    return dialog;
}

}  // namespace kelto::platform
