// Rasterising glyphs into runs of pixels and keeping them within the budget.
#include "draw/glyph_cache.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kelto::text {

namespace {

// Rounds a 26.6 fixed-point FreeType distance to whole pixels.
int round_pixels(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

// External leading is the face's line gap: the part of its line height that
// lies outside ascender and descender.
FontMetrics size_metrics(FT_Face face, const FT_Size_Metrics &size) {
    FontMetrics metrics;
    metrics.ascent = round_pixels(size.ascender);
    metrics.descent = round_pixels(-size.descender);
    metrics.height = metrics.ascent + metrics.descent;
    const FT_Long line_gap = face->height - (face->ascender - face->descender);
    metrics.external_leading = std::max(0, round_pixels(FT_MulFix(line_gap, size.y_scale)));
    return metrics;
}

bool bit_set(const unsigned char *row, int column) {
    return (row[column >> 3] >> (7 - (column & 7))) & 1;
}

// Collects the set pixels of the monochrome bitmap in `slot` as runs placed
// relative to the cell's top-left corner. Hinting can put a row of a glyph
// (an accent on a capital, say) just outside its cell, and that row is kept;
// pixels more than one em outside the cell are dropped, which bounds how far
// text can reach from its cells.
void collect_spans(const FT_GlyphSlotRec &slot, const SizedFace &sized, Glyph &glyph) {
    const FT_Bitmap &bitmap = slot.bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.buffer == nullptr) return;
    const int rows = static_cast<int>(bitmap.rows);
    const int width = static_cast<int>(bitmap.width);
    const int pitch = bitmap.pitch;
    const int top = sized.metrics.ascent - slot.bitmap_top;
    const int row_min = -sized.em, row_max = sized.metrics.height + sized.em;
    const int col_min = -sized.em, col_max = glyph.advance + sized.em;
    for (int r = 0; r < rows; ++r) {
        const int row = top + r;
        if (row < row_min || row >= row_max) continue;
        // A negative pitch stores the rows bottom-up.
        const unsigned char *bits =
            bitmap.buffer + static_cast<ptrdiff_t>(pitch >= 0 ? r : r - (rows - 1)) * pitch;
        for (int c = 0; c < width;) {
            if (!bit_set(bits, c)) {
                ++c;
                continue;
            }
            int end = c + 1;
            while (end < width && bit_set(bits, end)) ++end;
            const int x0 = std::max(slot.bitmap_left + c, col_min);
            const int x1 = std::min(slot.bitmap_left + end, col_max);
            if (x0 < x1)
                glyph.spans.push_back({static_cast<int16_t>(row), static_cast<int16_t>(x0),
                                       static_cast<int16_t>(x1)});
            c = end;
        }
    }
}

Glyph render_glyph(SizedFace &sized, char32_t character) {
    Glyph glyph;
    FT_Face face = sized.ft_face;
    if (FT_Activate_Size(sized.size.get()) != 0) return glyph;
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
    glyph.advance = std::max(0, round_pixels(face->glyph->advance.x));
    collect_spans(*face->glyph, sized, glyph);
    glyph.spans.shrink_to_fit();
    if (!glyph.spans.empty()) {
        glyph.left = glyph.spans.front().x0;
        glyph.right = glyph.spans.front().x1;
        for (const GlyphSpan &span : glyph.spans) {
            glyph.left = std::min<int>(glyph.left, span.x0);
            glyph.right = std::max<int>(glyph.right, span.x1);
        }
    }
    return glyph;
}

}  // namespace

GlyphCache::GlyphCache(std::array<FT_Face, 2> faces, size_t budget)
    : faces_(faces), budget_(budget) {}

SizedFace &GlyphCache::sized(Face face, int em) {
    em = std::clamp(em, 1, kMaxCharHeight);
    const size_t face_index = face == Face::Mono ? 1 : 0;
    std::unique_ptr<SizedFace> &entry =
        entries_[face_index * (kMaxCharHeight + 1) + static_cast<size_t>(em)];
    if (!entry) {
        auto fresh = std::make_unique<SizedFace>();
        fresh->ft_face = faces_[face_index];
        FT_Size size = nullptr;
        if (FT_New_Size(fresh->ft_face, &size) != 0)
            throw std::runtime_error("FreeType cannot create a font size");
        fresh->size.reset(size);
        if (FT_Activate_Size(size) != 0 ||
            FT_Set_Pixel_Sizes(fresh->ft_face, 0, static_cast<FT_UInt>(em)) != 0)
            throw std::runtime_error("FreeType cannot scale a font to " + std::to_string(em) +
                                     " pixels");
        fresh->em = em;
        fresh->metrics = size_metrics(fresh->ft_face, size->metrics);
        fresh->bytes = sizeof(SizedFace);
        bytes_ += fresh->bytes;
        entry = std::move(fresh);
    }
    entry->last_use = ++clock_;
    evict_except(entry.get());
    return *entry;
}

const Glyph &GlyphCache::glyph(SizedFace &sized, char32_t character) {
    if (character < sized.glyphs.size()) {
        if (!sized.loaded[character]) {
            sized.glyphs[character] = render_glyph(sized, character);
            sized.loaded[character] = true;
            account(sized, sized.glyphs[character].spans.capacity() * sizeof(GlyphSpan));
        }
        return sized.glyphs[character];
    }
    if (const auto found = sized.others.find(character); found != sized.others.end())
        return found->second;
    // Text of ever new characters cannot grow one size without bound.
    if (sized.other_bytes > budget_ / 4) {
        sized.bytes -= sized.other_bytes;
        bytes_ -= sized.other_bytes;
        sized.other_bytes = 0;
        sized.others.clear();
    }
    const Glyph &glyph =
        sized.others.emplace(character, render_glyph(sized, character)).first->second;
    const size_t added = sizeof(Glyph) + glyph.spans.capacity() * sizeof(GlyphSpan);
    account(sized, added);
    sized.other_bytes += added;
    return glyph;
}

void GlyphCache::account(SizedFace &sized, size_t added) {
    sized.bytes += added;
    bytes_ += added;
}

void GlyphCache::evict_except(const SizedFace *keep) {
    while (bytes_ > budget_) {
        std::unique_ptr<SizedFace> *oldest = nullptr;
        for (std::unique_ptr<SizedFace> &entry : entries_)
            if (entry && entry.get() != keep &&
                (oldest == nullptr || entry->last_use < (*oldest)->last_use))
                oldest = &entry;
        if (oldest == nullptr) return;
        bytes_ -= (*oldest)->bytes;
        oldest->reset();
    }
}

}  // namespace kelto::text
