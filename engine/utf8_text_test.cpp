#include "engine/utf8_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace kestro {
namespace {

TEST(Utf8TextTest, ValidityFollowsTheWellFormedRules) {
  struct Case {
    std::string text;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"plain.txt", true},
      {"été", true},
      {"日本", true},
      {"😀", true},
      {"\xC3", false},              // cut short
      {"\xC3(", false},             // continuation missing
      {"\x80", false},              // lone continuation
      {"\xC0\xAF", false},          // overlong "/"
      {"\xE0\x80\xAF", false},      // overlong, three bytes
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xFF", false},
      {"ok\xE6\x97", false},  // "日" cut at the end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.text), c.valid) << "text bytes: " << ::testing::PrintToString(c.text);
  }
}

TEST(Utf8TextTest, CountsAndCutsByCodePoint) {
  const std::string name = "é日😀x";  // 2 + 3 + 4 + 1 bytes, four code points
  EXPECT_EQ(CodePointCount(name), 4u);
  EXPECT_EQ(FirstCodePoints(name, 0), "");
  EXPECT_EQ(FirstCodePoints(name, 1), "é");
  EXPECT_EQ(FirstCodePoints(name, 3), "é日😀");
  EXPECT_EQ(FirstCodePoints(name, 9), name);
  EXPECT_EQ(LastCodePoints(name, 1), "x");
  EXPECT_EQ(LastCodePoints(name, 2), "😀x");
  EXPECT_EQ(LastCodePoints(name, 3), "日😀x");
  EXPECT_EQ(LastCodePoints(name, 9), name);
  EXPECT_EQ(LastCodePoints(name, 0), "");
}

TEST(Utf8TextTest, SimpleCaseMappingCoversAllOfUnicode) {
  struct Case {
    const char* lower;
    const char* upper;
  };
  const Case pairs[] = {
      {"abc xyz", "ABC XYZ"},
      {"éàüñøþ", "ÉÀÜÑØÞ"},
      {"āăąćĉ", "ĀĂĄĆĈ"},  // alternating pairs of Latin Extended-A
      {"αβγωάέ", "ΑΒΓΩΆΈ"},
      {"жёя", "ЖЁЯ"},
      {"ꙁա", "ꙀԱ"},
      {"ｆｕｌｌ", "ＦＵＬＬ"},
      {"𐐨𐑏", "𐐀𐐧"},  // Deseret, outside the BMP
      {"日本 😀 123 _-.", "日本 😀 123 _-."},
  };
  for (const Case& c : pairs) {
    EXPECT_EQ(ToUpper(c.lower), c.upper) << c.lower;
    EXPECT_EQ(ToLower(c.upper), c.lower) << c.upper;
  }
}

TEST(Utf8TextTest, SimpleMappingsThatAreNotPairwise) {
  EXPECT_EQ(ToUpper("ß"), "ß");            // no simple upper-case form
  EXPECT_EQ(ToUpper("ÿ"), "Ÿ");            // U+00FF -> U+0178
  EXPECT_EQ(ToUpper("ſ"), "S");            // long s
  EXPECT_EQ(ToUpper("ı"), "I");            // dotless i
  EXPECT_EQ(ToLower("İ"), "i");            // dotted capital I
  EXPECT_EQ(ToUpper("ⱥ"), "Ⱥ");            // three bytes become two
  EXPECT_EQ(ToLower("\u2126"), "\u03C9");  // the ohm sign becomes omega
  EXPECT_EQ(SimpleUpper(U'ǅ'), U'Ǆ');      // title-case digraph
  EXPECT_EQ(SimpleLower(U'ǅ'), U'ǆ');
  EXPECT_EQ(SimpleUpper(0x110000), char32_t{0x110000});
}

TEST(Utf8TextTest, CaseDoesNotDependOnTheCLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  EXPECT_EQ(ToUpper("é"), "É");
  EXPECT_EQ(ToLower("É"), "é");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(Utf8TextTest, InvalidBytesPassUnchanged) {
  EXPECT_EQ(ToUpper("a\xFF"
                    "b\xC3"),
            "A\xFF"
            "B\xC3");
  EXPECT_EQ(ToLower("\xC0\xAFX\xE9"), "\xC0\xAFx\xE9");  // Latin-1 "é" is not UTF-8
}

TEST(Utf8TextTest, DecodeAndAppendRoundTrip) {
  for (const char32_t c :
       {U'a', U'é', U'日', U'😀', char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800},
        char32_t{0xFFFF}, char32_t{0x10000}, char32_t{0x10FFFF}}) {
    std::string text;
    AppendUtf8(text, c);
    const Utf8Unit unit = DecodeUtf8At(text, 0);
    EXPECT_TRUE(unit.valid) << static_cast<unsigned>(c);
    EXPECT_EQ(unit.value, c);
    EXPECT_EQ(unit.length, text.size());
  }
}

}  // namespace
}  // namespace kestro
