#include "engine/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

TEST(Utf8TextTest, OnlyWellFormedSequencesAreValid) {
  // Long ones too: ASCII is read eight bytes at a time.
  for (const char* valid : {"", "plain.txt", "été", "日本", "😀", "\xF4\x8F\xBF\xBF",
                            "IMG_20240101_120000 été 日本.jpg"}) {
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  }
  for (const char* invalid : {"\xC3", "\xC3(", "\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                              "\xF4\x90\x80\x80", "\xFF", "ok\xE6\x97", "photo 000001.jpg\xFF",
                              "12345678\x80"
                              "abcdefgh",
                              "été photo 0001\xC3"}) {
    EXPECT_FALSE(IsValidUtf8(invalid)) << ::testing::PrintToString(std::string(invalid));
  }
}

TEST(Utf8TextTest, CountsAndCutsByCodePoint) {
  const std::string name = "é日😀x";  // 2 + 3 + 4 + 1 bytes, four code points
  EXPECT_EQ(CodePointCount(name), 4u);
  EXPECT_EQ(FirstCodePoints(name, 3), "é日😀");
  EXPECT_EQ(FirstCodePoints(name, 9), name);
  EXPECT_EQ(LastCodePoints(name, 3), "日😀x");
  EXPECT_EQ(LastCodePoints(name, 9), name);
  EXPECT_EQ(LastCodePoints(name, 0), "");
  // A stray continuation byte at the start is a character of its own, never a way past it.
  EXPECT_EQ(LastCodePoints("\x80\x80x", 9), "\x80\x80x");
}

TEST(Utf8TextTest, SimpleCaseMappingCoversAllOfUnicodeAndNothingElse) {
  const std::pair<const char*, const char*> pairs[] = {
      {"abc xyz", "ABC XYZ"},   {"éàüñøþ", "ÉÀÜÑØÞ"}, {"āăąćĉ", "ĀĂĄĆĈ"},
      {"αβγωάέ", "ΑΒΓΩΆΈ"},     {"жёя", "ЖЁЯ"},       {"ꙁա", "ꙀԱ"},
      {"ｆｕｌｌ", "ＦＵＬＬ"}, {"𐐨𐑏", "𐐀𐐧"},         {"日本 😀 1_.", "日本 😀 1_."},
  };
  for (const auto& [lower, upper] : pairs) {
    EXPECT_EQ(ToUpper(lower), upper) << lower;
    EXPECT_EQ(ToLower(upper), lower) << upper;
  }
  // Mappings that are not pairwise, and bytes that are not UTF-8.
  EXPECT_EQ(ToUpper("ßÿſıⱥ"), "ßŸSIȺ");
  EXPECT_EQ(ToLower("İ\u2126"), "i\u03C9");
  EXPECT_EQ(SimpleUpper(U'ǅ'), U'Ǆ');
  EXPECT_EQ(SimpleLower(U'ǅ'), U'ǆ');
  EXPECT_EQ(ToUpper("a\xFF"
                    "b\xC3"),
            "A\xFF"
            "B\xC3");
}

}  // namespace
}  // namespace kestro
