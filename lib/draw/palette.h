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

// The palette, in the header so that looking a colour up costs no call.
inline constexpr PaletteEntry kPalette[kPaletteSize] = {
    {0x000000, "black"},     {0xFFFFFF, "white"},        {0xFF0000, "red"},
    {0x00FF00, "green"},     {0x0000FF, "blue"},         {0xFFFF00, "yellow"},
    {0xFF00FF, "magenta"},   {0x00FFFF, "cyan"},         {0x9900CC, "purple"},
    {0x003399, "navy blue"}, {0x996699, "dusty plum"},   {0x99FFFF, "ice blue"},
    {0x99FFCC, "turquoise"}, {0xFF6600, "orange"},       {0x996633, "brown"},
    {0xFF99CC, "pink"},      {0xFFFF99, "chalk"},        {0xCC9933, "gold"},
    {0xFF9966, "peach"},     {0x006633, "forest green"}, {0x33CC99, "sea green"},
    {0x999933, "olive"},     {0x808080, "50% gray"},     {0xCCCCCC, "20% gray"},
};

// The entry of a palette index 0..23.
inline const PaletteEntry &palette_entry(int color) {
    return kPalette[color];
}
inline uint32_t palette_value(int color) {
    return palette_entry(color).value;
}
inline const char *palette_name(int color) {
    return palette_entry(color).name;
}

}  // namespace kelto::draw
