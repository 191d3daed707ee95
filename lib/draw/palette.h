// The palette: the 24 named colours that programs select by index, and the
// check that turns any other index into red.
#pragma once

#include <cstdint>

namespace kelto {

constexpr int kPaletteSize = 24;

struct PaletteEntry {
    uint32_t value;    // 0x00RRGGBB
    const char *name;  // as written in log sentences
};

// The entry of a valid colour index 0..23.
const PaletteEntry &palette_entry(int color);
inline uint32_t palette_value(int color) {
    return palette_entry(color).value;
}
inline const char *palette_name(int color) {
    return palette_entry(color).name;
}

// Returns `color` if it is a palette index; otherwise prints
// "Illegal color %d; using RED.\n" and returns RED.
int check_color(int color);

}  // namespace kelto
