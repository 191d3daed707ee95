// Reading text as UTF-8 or Windows-1252: which one a string is read as, and
// the characters each gives.
#include "draw/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kelto::text {
namespace {

std::u32string characters(std::string_view text) {
    std::u32string out;
    for_each_character(text, [&](char32_t c) { out += c; });
    return out;
}

TEST(TextEncoding, MultiByteUtf8IsReadAsUtf8) {
    EXPECT_EQ(encoding_of("Gr\xC3\xBC\xC3\x9F"
                          "e"),
              Encoding::Utf8);
    EXPECT_EQ(characters("Gr\xC3\xBC\xC3\x9F"
                         "e"),
              U"Gr\u00FC\u00DFe");
    EXPECT_EQ(characters("\xE2\x82\xAC 5"), U"\u20AC 5");        // three bytes
    EXPECT_EQ(characters("\xF0\x9F\x98\x80!"), U"\U0001F600!");  // four bytes
    EXPECT_EQ(characters("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");    // the last character
    EXPECT_EQ(characters("\xEF\xBF\xBD"), U"\uFFFD");
}

TEST(TextEncoding, EverythingElseIsReadAsWindows1252) {
    // Plain ASCII reads the same either way.
    EXPECT_EQ(encoding_of("Hello"), Encoding::Windows1252);
    EXPECT_EQ(characters(""), U"");
    // Single 8-bit characters as typed: e acute, euro sign, en dash.
    EXPECT_EQ(encoding_of("caf\xE9"), Encoding::Windows1252);
    EXPECT_EQ(characters("caf\xE9 \x80\x96"), U"caf\u00E9 \u20AC\u2013");
    // One bad sequence anywhere makes the whole string 8-bit.
    EXPECT_EQ(characters("\xC3\xBC\xE9"), U"\u00C3\u00BC\u00E9");
}

TEST(TextEncoding, MalformedSequencesAreNotUtf8) {
    for (const std::string_view bad : {
             std::string_view("\xC0\xAF"),          // overlong '/'
             std::string_view("\xE0\x80\xAF"),      // overlong, three bytes
             std::string_view("\xF0\x80\x80\xAF"),  // overlong, four bytes
             std::string_view("\xED\xA0\x80"),      // a surrogate
             std::string_view("\xF4\x90\x80\x80"),  // past U+10FFFF
             std::string_view("\xF5\x80\x80\x80"),  // no such lead byte
             std::string_view("\xE2\x82"),          // cut short at the end
             std::string_view("\xE2\x82!"),         // cut short in the middle
             std::string_view("\x80\x80"),          // continuation bytes alone
         }) {
        EXPECT_EQ(encoding_of(bad), Encoding::Windows1252) << testing::PrintToString(bad);
        EXPECT_EQ(characters(bad).size(), bad.size()) << "one character per byte";
    }
}

TEST(TextEncoding, NulBytesAndControlCharactersPassThrough) {
    EXPECT_EQ(characters(std::string_view("a\0\xC3\xA9", 4)), std::u32string(U"a\0\u00E9", 3));
    EXPECT_EQ(characters("\t\n"), U"\t\n");
}

}  // namespace
}  // namespace kelto::text
