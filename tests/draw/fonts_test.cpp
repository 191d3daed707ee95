// Tests of the embedded faces: metrics, widths, glyph drawing, clipping and the glyph cache.
#include "draw/fonts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

using kelto::Image;
using kelto::text::Face;
using kelto::text::FontLibrary;
using kelto::text::FontMetrics;

namespace {

constexpr uint32_t kBackground = 0xABCDEF;
constexpr uint32_t kInk = 0x123456;

// The rectangle [left, right) x [top, bottom) of pixels that differ from `background`; empty when
// left >= right.
struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    int count = 0;
};

Box changed_pixels(const Image &img, uint32_t background = kBackground) {
    Box box;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.at(x, y) != background) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x + 1);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y + 1);
                ++box.count;
            }
    return box;
}

Image drawn(FontLibrary &fonts, Face face, int size, int64_t x, int64_t y, std::string_view text,
            int w = 400, int h = 200) {
    Image img(w, h, kBackground);
    fonts.draw(img, face, size, x, y, text, kInk);
    return img;
}

std::string all_bytes() {
    std::string text;
    for (int c = 0; c < 256; ++c) text += static_cast<char>(c);
    return text;
}

class FontsTest : public ::testing::TestWithParam<Face> {
protected:
    FontLibrary fonts;
};

INSTANTIATE_TEST_SUITE_P(BothFaces, FontsTest, ::testing::Values(Face::Sans, Face::Mono),
                         [](const auto &face) {
                             return face.param == Face::Sans ? "Sans" : "Mono";
                         });

TEST_P(FontsTest, MetricsGrowWithSizeAndAddUp) {
    FontMetrics previous = fonts.metrics(GetParam(), 1);
    for (int size = 1; size <= 127; ++size) {
        const FontMetrics m = fonts.metrics(GetParam(), size);
        EXPECT_EQ(m.height, m.ascent + m.descent) << size;
        EXPECT_GE(m.height, size) << size;
        EXPECT_GE(m.height, previous.height) << size;
        EXPECT_GE(m.ascent, previous.ascent) << size;
        EXPECT_GE(m.external_leading, 0) << size;
        previous = m;
    }
    EXPECT_GT(fonts.metrics(GetParam(), 40).height, fonts.metrics(GetParam(), 20).height);
}

TEST_P(FontsTest, CharHeightIsTheEmSize) {
    const FontMetrics m = fonts.metrics(GetParam(), 20);
    EXPECT_GT(m.height, 20);
    EXPECT_LT(m.height, 30);
    const Box h = changed_pixels(drawn(fonts, GetParam(), 20, 10, 10, "H"));
    EXPECT_GE(h.bottom - h.top, 14);
    EXPECT_LE(h.bottom - h.top, 15);
    // A capital stands on the baseline.
    EXPECT_EQ(h.bottom, 10 + m.ascent);
}

TEST_P(FontsTest, OutOfRangeSizesAreCorrected) {
    const int fallback = FontLibrary::kDefaultCharHeight;
    EXPECT_EQ(fonts.metrics(GetParam(), 0).height, fonts.metrics(GetParam(), fallback).height);
    EXPECT_EQ(fonts.metrics(GetParam(), -5).height, fonts.metrics(GetParam(), fallback).height);
    EXPECT_EQ(fonts.metrics(GetParam(), 1000).height, fonts.metrics(GetParam(), 127).height);
    const Image at_zero = drawn(fonts, GetParam(), 0, 5, 5, "Hello");
    EXPECT_GT(changed_pixels(at_zero).count, 20);
    EXPECT_EQ(at_zero.pixels, drawn(fonts, GetParam(), fallback, 5, 5, "Hello").pixels);
    EXPECT_EQ(fonts.text_width(GetParam(), 200, "Hi"), fonts.text_width(GetParam(), 127, "Hi"));
}

// Hinting may lift an accent on a capital, or stretch a bar, one row out of
// the cell at some sizes; ordinary text stays inside.
TEST_P(FontsTest, GlyphsAreExactColourInsideTheirCells) {
    const std::string text = "Hello, World! gjpqy ({[]}) 0123456789";
    for (int size : {8, 13, 20, 33, 64, 127}) {
        const FontMetrics m = fonts.metrics(GetParam(), size);
        const int width = fonts.text_width(GetParam(), size, text);
        Image img(width + 40, m.height + 40, kBackground);
        fonts.draw(img, GetParam(), size, 20, 20, text, kInk);
        const Box box = changed_pixels(img);
        ASSERT_GT(box.count, 0) << size;
        EXPECT_GE(box.top, 20) << size;
        EXPECT_LE(box.bottom, 20 + m.height) << size;
        EXPECT_GE(box.left, 20) << size;
        EXPECT_LE(box.right, 20 + width) << size;
        for (uint32_t pixel : img.pixels)
            ASSERT_TRUE(pixel == kBackground || pixel == kInk) << size;
    }
}

TEST_P(FontsTest, BackgroundStaysTransparent) {
    Image img(200, 60);
    for (size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = static_cast<uint32_t>(i);
    const Image before = img;
    fonts.draw(img, GetParam(), 30, 3, 4, "Of mice", kInk);
    int inked = 0;
    for (size_t i = 0; i < img.pixels.size(); ++i) {
        if (img.pixels[i] == kInk)
            ++inked;
        else
            EXPECT_EQ(img.pixels[i], before.pixels[i]) << i;
    }
    EXPECT_GT(inked, 50);
}

TEST_P(FontsTest, DrawingAdvancesByTheMeasuredWidth) {
    for (int size : {7, 16, 45}) {
        const Image whole = drawn(fonts, GetParam(), size, 12, 9, "Wave\xE9!");
        Image pieces(400, 200, kBackground);
        fonts.draw(pieces, GetParam(), size, 12, 9, "Wa", kInk);
        fonts.draw(pieces, GetParam(), size, 12 + fonts.text_width(GetParam(), size, "Wa"), 9,
                   "ve\xE9!", kInk);
        EXPECT_EQ(whole.pixels, pieces.pixels) << size;
    }
    EXPECT_EQ(fonts.text_width(GetParam(), 20, ""), 0);
    EXPECT_EQ(fonts.text_width(GetParam(), 20, "a\nb"), fonts.text_width(GetParam(), 20, "a") +
                                                            fonts.text_width(GetParam(), 20, "\n") +
                                                            fonts.text_width(GetParam(), 20, "b"));
}

// Text cut by the image's edges shows exactly the part of the unclipped text that lies inside.
TEST_P(FontsTest, ClippingKeepsTheVisiblePart) {
    const std::string text = "Clipped text \xC5gj";
    const Image full = drawn(fonts, GetParam(), 40, 100, 100, text, 700, 300);
    for (const auto &[dx, dy] : {std::pair{-120, -110}, {-300, -90}, {-95, -140}, {-10, -75}}) {
        Image part(150, 40, kBackground);
        fonts.draw(part, GetParam(), 40, 100 + dx, 100 + dy, text, kInk);
        for (int y = 0; y < part.height; ++y)
            for (int x = 0; x < part.width; ++x)
                ASSERT_EQ(part.at(x, y), full.at(x - dx, y - dy))
                    << dx << "," << dy << " at " << x << "," << y;
    }
}

TEST_P(FontsTest, FarAwayTextTouchesNothing) {
    const std::string text(500, 'W');
    // The 500 characters reach 62,500 pixels to the right of x.
    const int64_t places[] = {INT64_MIN, INT64_MIN + 1, -1'000'000'000'000, -70'000,
                              5000,      INT64_MAX - 1, INT64_MAX};
    for (int64_t far : places) {
        EXPECT_EQ(changed_pixels(drawn(fonts, GetParam(), 127, far, 10, text, 300, 300)).count, 0)
            << far;
        EXPECT_EQ(changed_pixels(drawn(fonts, GetParam(), 127, 10, far, text, 300, 300)).count, 0)
            << far;
        for (int64_t other : places)
            EXPECT_EQ(
                changed_pixels(drawn(fonts, GetParam(), 127, far, other, text, 300, 300)).count, 0)
                << far;
    }
    Image empty;
    fonts.draw(empty, GetParam(), 20, 0, 0, text, kInk);
    EXPECT_TRUE(empty.pixels.empty());
    // A string wider than INT_MAX pixels measures as INT_MAX.
    EXPECT_EQ(fonts.text_width(GetParam(), 127, std::string(40'000'000, 'W')), INT_MAX);
}

// Everything that can be drawn, at every size, stays on the image and in the one colour.
TEST_P(FontsTest, EveryByteAtEverySizeIsSafe) {
    const std::string text = all_bytes();
    Image img(97, 61, kBackground);
    for (int size = 0; size <= 127; ++size)
        for (int64_t x : {-3000, -40, 0, 50})
            for (int64_t y : {-80, -3, 30}) fonts.draw(img, GetParam(), size, x, y, text, kInk);
    for (uint32_t pixel : img.pixels) ASSERT_TRUE(pixel == kBackground || pixel == kInk);
    EXPECT_GT(changed_pixels(img).count, 0);
}

TEST(FontsCache, CachedGlyphsDrawLikeFreshOnes) {
    FontLibrary fonts;
    const std::string text = "Cache me \x80\x99\xE9\xFF";
    const Image sans = drawn(fonts, Face::Sans, 20, 5, 5, text);
    const Image mono = drawn(fonts, Face::Mono, 20, 5, 5, text);
    EXPECT_EQ(drawn(fonts, Face::Sans, 20, 5, 5, text).pixels, sans.pixels);
    EXPECT_EQ(drawn(fonts, Face::Mono, 20, 5, 5, text).pixels, mono.pixels);
    // Every glyph at every size overflows the cache's budget, so size 20 is
    // dropped and rendered again.
    const std::string bytes = all_bytes();
    for (Face face : {Face::Sans, Face::Mono})
        for (int size = 1; size <= 127; ++size) fonts.text_width(face, size, bytes);
    EXPECT_EQ(drawn(fonts, Face::Sans, 20, 5, 5, text).pixels, sans.pixels);
    EXPECT_EQ(drawn(fonts, Face::Mono, 20, 5, 5, text).pixels, mono.pixels);
    FontLibrary fresh;
    EXPECT_EQ(drawn(fresh, Face::Sans, 20, 5, 5, text).pixels, sans.pixels);
    EXPECT_EQ(drawn(fresh, Face::Mono, 20, 5, 5, text).pixels, mono.pixels);
}

TEST_P(FontsTest, Windows1252CharactersHaveGlyphs) {
    // 0x81 is undefined in Windows-1252 and draws the font's missing-glyph box.
    const Image missing = drawn(fonts, GetParam(), 24, 10, 10, "\x81");
    // e acute, the euro sign, left double quote, a-ring, y-diaeresis.
    for (const char *text : {"\xE9", "\x80", "\x93", "\xE5", "\xFF"}) {
        const Image glyph = drawn(fonts, GetParam(), 24, 10, 10, text);
        EXPECT_GT(changed_pixels(glyph).count, 10) << text;
        EXPECT_NE(glyph.pixels, missing.pixels) << text;
        EXPECT_GT(fonts.text_width(GetParam(), 24, text), 0);
    }
    // The accent puts e-acute's pixels above those of a plain e.
    const Box plain = changed_pixels(drawn(fonts, GetParam(), 24, 10, 10, "e"));
    const Box accented = changed_pixels(drawn(fonts, GetParam(), 24, 10, 10, "\xE9"));
    EXPECT_LT(accented.top, plain.top);
    EXPECT_EQ(accented.bottom, plain.bottom);
}

TEST_P(FontsTest, Utf8TextDrawsTheCharactersItNames) {
    // "Grüße, 5 €" in UTF-8 and in Windows-1252.
    const Image utf8 = drawn(fonts, GetParam(), 24, 10, 10,
                             "Gr\xC3\xBC\xC3\x9F"
                             "e, 5 \xE2\x82\xAC");
    EXPECT_EQ(utf8.pixels, drawn(fonts, GetParam(), 24, 10, 10,
                                 "Gr\xFC\xDF"
                                 "e, 5 \x80")
                               .pixels);
    EXPECT_EQ(fonts.text_width(GetParam(), 24,
                               "Gr\xC3\xBC\xC3\x9F"
                               "e"),
              fonts.text_width(GetParam(), 24,
                               "Gr\xFC\xDF"
                               "e"));
    // Characters no 8-bit string can name: Greek and Cyrillic letters.
    const Image greek = drawn(fonts, GetParam(), 24, 10, 10, "\xCE\xB1\xCE\xB2\xD0\x96");
    const Image missing = drawn(fonts, GetParam(), 24, 10, 10, "\x81\x81\x81");
    EXPECT_GT(changed_pixels(greek).count, 30);
    EXPECT_NE(greek.pixels, missing.pixels);
    EXPECT_EQ(drawn(fonts, GetParam(), 24, 10, 10, "\xCE\xB1\xCE\xB2\xD0\x96").pixels, greek.pixels)
        << "cached glyphs draw like fresh ones";
}

TEST(FontsCache, TextOfEverNewCharactersStaysWithinTheBudget) {
    FontLibrary fonts;
    // Every character of the Basic Multilingual Plane's CJK block, in UTF-8.
    std::string text;
    for (char32_t c = 0x4E00; c < 0x9FFF; ++c) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    EXPECT_GT(fonts.text_width(Face::Sans, 127, text), 0);
    EXPECT_LE(fonts.cache_bytes(), FontLibrary::kCacheBudget + FontLibrary::kCacheBudget / 2);
}

TEST(FontsPitch, MonoIsFixedPitchAndSansIsNot) {
    FontLibrary fonts;
    for (int size : {0, 1, 9, 13, 20, 50, 127}) {
        const int iii = fonts.text_width(Face::Mono, size, "iii");
        EXPECT_EQ(iii, fonts.text_width(Face::Mono, size, "WWW")) << size;
        EXPECT_EQ(iii, fonts.text_width(Face::Mono, size, "\xE9\x80\x01")) << size;
        EXPECT_GT(iii, 0) << size;
    }
    EXPECT_LT(fonts.text_width(Face::Sans, 20, "iii"), fonts.text_width(Face::Sans, 20, "WWW"));
}

TEST(FontsPitch, FacesDiffer) {
    FontLibrary fonts;
    EXPECT_NE(drawn(fonts, Face::Sans, 20, 5, 5, "Kelto").pixels,
              drawn(fonts, Face::Mono, 20, 5, 5, "Kelto").pixels);
}

}  // namespace
