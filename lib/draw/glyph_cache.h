// Rendered glyphs of the embedded faces, kept per (face, character height,
// character) so that text redrawn on every frame is rasterised only once.
// Glyphs are rendered monochrome and hinted, and stored as runs of set pixels.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "draw/font_face.h"

namespace kelto::text {

// Largest character height (em size in pixels) the cache renders.
inline constexpr int kMaxCharHeight = 127;

// One run of glyph pixels [x0, x1) on one row. Rows count from the top of the
// character cell, columns from the pen position.
struct GlyphSpan {
    int16_t row;
    int16_t x0;
    int16_t x1;
};

struct Glyph {
    int advance = 0;  // Pen movement to the next character, in pixels
    int left = 0;     // Columns [left, right) hold all pixels; equal when blank
    int right = 0;
    std::vector<GlyphSpan> spans;
};

struct SizeDeleter {
    void operator()(FT_Size size) const { FT_Done_Size(size); }
};

// Everything cached for one face at one character height.
struct SizedFace {
    FT_Face ft_face = nullptr;
    std::unique_ptr<FT_SizeRec_, SizeDeleter> size;
    int em = 0;
    FontMetrics metrics;
    // Characters U+0000..U+00FF by their code, the others by a table that is
    // emptied when it grows past a share of the budget.
    std::array<Glyph, 256> glyphs;
    std::bitset<256> loaded;
    std::unordered_map<char32_t, Glyph> others;
    size_t other_bytes = 0;
    size_t bytes = 0;
    uint64_t last_use = 0;
};

// The cache is bounded by a byte budget: when it is exceeded, the character
// heights used least recently are dropped whole. A dropped height is rendered
// again on demand with identical results.
class GlyphCache {
public:
    // `faces` are the FreeType faces of Face::Sans and Face::Mono; they must
    // outlive the cache.
    GlyphCache(std::array<FT_Face, 2> faces, size_t budget);

    // The cached glyphs of `face` at `em` pixels (1..kMaxCharHeight). The
    // reference stays valid until the next call of sized().
    SizedFace &sized(Face face, int em);

    // The glyph of a Unicode character in `sized`, rendered on first use. The
    // reference stays valid until the next call of glyph() or sized().
    const Glyph &glyph(SizedFace &sized, char32_t character);

    // Bytes currently held, for the budget.
    size_t bytes() const { return bytes_; }

private:
    void evict_except(const SizedFace *keep);
    void account(SizedFace &sized, size_t added);

    std::array<FT_Face, 2> faces_;
    std::array<std::unique_ptr<SizedFace>, 2 * (kMaxCharHeight + 1)> entries_;
    size_t budget_;
    size_t bytes_ = 0;
    uint64_t clock_ = 0;
};

}  // namespace kelto::text
