// Text rendering for the drawing layer: the two embedded faces, their
// metrics, string widths and monochrome glyph drawing into an Image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "draw/font_face.h"
#include "pixels/image.h"
#include "pixels/rect.h"

namespace kelto::text {

// Owns FreeType, both faces and the glyph cache. Character heights are em
// sizes in pixels, 1..127; 0 (or less) selects kDefaultCharHeight and larger
// values are taken as 127. Text is read as text_encoding.h says (UTF-8 or
// Windows-1252); no character has a special meaning.
class FontLibrary {
public:
    static constexpr int kDefaultCharHeight = 13;

    // Throws std::runtime_error if FreeType cannot start or load a face.
    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary &) = delete;
    FontLibrary &operator=(const FontLibrary &) = delete;

    FontMetrics metrics(Face face, int char_height);

    // The advance width of the whole string, saturated at INT_MAX.
    int text_width(Face face, int char_height, std::string_view text);

    // Draws `text` on one line with the top-left corner of the first
    // character cell at (x, y) and its baseline at y + ascent: glyph pixels
    // only, each exactly `color`, clipped to the image. Cells are metrics().height
    // rows tall; at some sizes hinting puts a row of a glyph just outside.
    // Returns a rectangle of the image that holds every pixel drawn.
    Rect draw(Image &img, Face face, int char_height, int64_t x, int64_t y, std::string_view text,
              uint32_t color);

    // The bytes the rendered glyphs take; kept near kCacheBudget.
    static constexpr std::size_t kCacheBudget = std::size_t{8} << 20;
    std::size_t cache_bytes() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The process's font library, started on first use and kept until the process ends.
FontLibrary &fonts();

}  // namespace kelto::text
