// Rendered glyphs of the embedded faces, kept per (face, character height,
// byte) so that text redrawn on every frame is rasterised only once. Glyphs
// are rendered monochrome and hinted, and stored as runs of set pixels.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
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
    std::array<Glyph, 256> glyphs;
    std::bitset<256> loaded;
    size_t bytes = 0;
    uint64_t last_use = 0;
};

// The cache is bounded by a byte budget: when it is exceeded, the character
// heights used least recently are dropped whole. A dropped height is rendered
// again on demand with identical results.
class GlyphCache {
public:
    static constexpr size_t kDefaultBudget = size_t{8} << 20;

    // `faces` are the FreeType faces of Face::Sans and Face::Mono; they must
    // outlive the cache.
    explicit GlyphCache(std::array<FT_Face, 2> faces, size_t budget = kDefaultBudget);

    // The cached glyphs of `face` at `em` pixels (1..kMaxCharHeight). The
    // reference stays valid until the next call of sized().
    SizedFace &sized(Face face, int em);

    // The glyph of `byte` (Windows-1252) in `sized`, rendered on first use.
    const Glyph &glyph(SizedFace &sized, unsigned char byte);

    // Bytes currently held, for the budget.
    size_t bytes() const { return bytes_; }

private:
    void evict_except(const SizedFace *keep);

    std::array<FT_Face, 2> faces_;
    std::array<std::unique_ptr<SizedFace>, 2 * (kMaxCharHeight + 1)> entries_;
    size_t budget_;
    size_t bytes_ = 0;
    uint64_t clock_ = 0;
};

}  // namespace kelto::text
