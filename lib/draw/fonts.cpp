// FreeType start-up over the embedded fonts, and string measuring and drawing
// through the glyph cache.
#include "draw/fonts.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "draw/embedded_fonts.h"
#include "draw/glyph_cache.h"
#include "draw/text_encoding.h"
#include "pixels/pixel_fill.h"

namespace kelto::text {

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

LibraryHandle start_freetype() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType cannot be started");
    return LibraryHandle(library);
}

FaceHandle open_face(FT_Library library, Face face) {
    const std::span<const unsigned char> data = embedded_font(face);
    const auto size = static_cast<FT_Long>(data.size());
    FT_Face ft_face = nullptr;
    if (FT_New_Memory_Face(library, data.data(), size, 0, &ft_face) != 0)
        throw std::runtime_error("the embedded font cannot be loaded");
    return FaceHandle(ft_face);
}

int em_for(int char_height) {
    if (char_height <= 0) return FontLibrary::kDefaultCharHeight;
    return std::min(char_height, kMaxCharHeight);
}

// Paints the glyph with its cell's top-left corner at (pen, top) and returns
// the part of the image its pixels may cover. A glyph wholly on the image,
// as most are, is painted without clipping each span.
Rect paint_glyph(Image &img, const Glyph &glyph, int64_t pen, int64_t top, uint32_t color) {
    if (glyph.spans.empty()) return {};
    // Spans come row by row from the top.
    const int64_t left = pen + glyph.left, right = pen + glyph.right;
    const int64_t first_row = top + glyph.spans.front().row;
    const int64_t end_row = top + glyph.spans.back().row + 1;
    if (left >= 0 && right <= img.width && first_row >= 0 && end_row <= img.height) {
        // The cell's corner may lie off the image; every span's start is on it.
        const int64_t corner = top * img.width + pen;
        for (const GlyphSpan &span : glyph.spans)
            fill_pixels(img.pixels.data() + (corner + span.row * int64_t{img.width} + span.x0),
                        static_cast<std::size_t>(span.x1 - span.x0), color);
        return {static_cast<int>(left), static_cast<int>(first_row), static_cast<int>(right),
                static_cast<int>(end_row)};
    }
    for (const GlyphSpan &span : glyph.spans) {
        const int64_t row = top + span.row;
        if (row < 0 || row >= img.height) continue;
        const int64_t x0 = std::max<int64_t>(pen + span.x0, 0);
        const int64_t x1 = std::min<int64_t>(pen + span.x1, img.width);
        uint32_t *pixels = img.row(static_cast<int>(row));
        if (x0 < x1) fill_pixels(pixels + x0, static_cast<std::size_t>(x1 - x0), color);
    }
    const auto clip = [](int64_t v, int extent) {
        return static_cast<int>(std::clamp<int64_t>(v, 0, extent));
    };
    return {clip(left, img.width), clip(first_row, img.height), clip(right, img.width),
            clip(end_row, img.height)};
}

}  // namespace

// Members are destroyed in reverse order: the cache's sizes before the faces
// they belong to, the faces before FreeType.
struct FontLibrary::Impl {
    LibraryHandle library = start_freetype();
    FaceHandle sans = open_face(library.get(), Face::Sans);
    FaceHandle mono = open_face(library.get(), Face::Mono);
    GlyphCache cache{{sans.get(), mono.get()}, kCacheBudget};
};

FontLibrary::FontLibrary() : impl_(std::make_unique<Impl>()) {}

FontLibrary::~FontLibrary() = default;

std::size_t FontLibrary::cache_bytes() const {
    return impl_->cache.bytes();
}

FontMetrics FontLibrary::metrics(Face face, int char_height) {
    return impl_->cache.sized(face, em_for(char_height)).metrics;
}

int FontLibrary::text_width(Face face, int char_height, std::string_view text) {
    SizedFace &sized = impl_->cache.sized(face, em_for(char_height));
    int64_t width = 0;
    for_each_character(text, [&](char32_t c) {
        width = std::min<int64_t>(width + impl_->cache.glyph(sized, c).advance, INT_MAX);
    });
    return static_cast<int>(width);
}

Rect FontLibrary::draw(Image &img, Face face, int char_height, int64_t x, int64_t y,
                       std::string_view text, uint32_t color) {
    Rect painted;
    if (img.width <= 0 || img.height <= 0 || text.empty()) return painted;
    SizedFace &sized = impl_->cache.sized(face, em_for(char_height));
    // No glyph pixel lies more than one em outside its cell (the cache drops
    // the rest), so lines above or below the image and characters past its
    // right edge are skipped without looking at a glyph. This also keeps the
    // arithmetic below small.
    const int em = sized.em;
    if (y >= int64_t{img.height} + em || y <= -(int64_t{sized.metrics.height} + em)) return painted;
    const Encoding encoding = encoding_of(text);
    int64_t pen = x;
    for (std::size_t at = 0; at < text.size() && pen < int64_t{img.width} + em;) {
        const Glyph &glyph = impl_->cache.glyph(sized, next_character(text, at, encoding));
        // Compared without adding to `pen`, which may be near INT64_MIN.
        if (pen > -int64_t{glyph.right} && pen < int64_t{img.width} - glyph.left)
            painted = painted.united(paint_glyph(img, glyph, pen, y, color));
        pen += glyph.advance;
    }
    return painted;
}

FontLibrary &fonts() {
    static FontLibrary *const library = new FontLibrary;
    return *library;
}

}  // namespace kelto::text
