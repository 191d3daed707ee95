// The palette: the 24 named colours that programs select by index.
#pragma once

#include <cstdint>

namespace kelto::draw {

constexpr int kPaletteSize = 24;
constexpr int kBlackIndex = 0;
constexpr int kWhiteIndex = 1;
constexpr int kRedIndex = 2;

struct PaletteEntry {
    uint32_t value;    // 0x00RRGGBB
    const char *name;  // as written in log sentences
};

// Whether `color` is an index into the palette.
constexpr bool is_palette_index(int color) {
    return color >= 0 && color < kPaletteSize;
}

// The entry of a palette index 0..23.
const PaletteEntry &palette_entry(int color);
inline uint32_t palette_value(int color) {
    return palette_entry(color).value;
}
inline const char *palette_name(int color) {
    return palette_entry(color).name;
}

}  // namespace kelto::draw
