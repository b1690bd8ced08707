#include "platform/windows/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

TEST(WideTextTest, RoundTripsUtf8ThroughUtf16) {
  for (const char* text :
       {"", "plain.txt", "Néw näme", "日本語.doc", "emoji \xF0\x9F\x98\x80 end", "(1204) a~b"}) {
    const auto wide = WideFromUtf8(text);
    ASSERT_TRUE(wide.has_value()) << text;
    EXPECT_EQ(Utf8FromWide(*wide), text);
  }
  EXPECT_EQ(*WideFromUtf8("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
  EXPECT_EQ(*WideFromUtf8("\xC3\xA9"), std::wstring(L"\x00E9"));
}

TEST(WideTextTest, InvalidUtf8HasNoUtf16Form) {
  for (const std::string& text :
       {std::string("\xFF"), std::string("a\xC3"), std::string("\xC0\xAF"),
        std::string("\xED\xA0\x80"), std::string("x\x80y")}) {
    EXPECT_FALSE(WideFromUtf8(text).has_value()) << text;
  }
}

TEST(WideTextTest, ALoneSurrogateBecomesBytesThatAreNotUtf8) {
  const std::string high = Utf8FromWide(std::wstring(L"a") + wchar_t(0xD800) + L"b");
  EXPECT_EQ(high,
            "a\xED\xA0\x80"
            "b");
  EXPECT_FALSE(WideFromUtf8(high).has_value());
  const std::string low = Utf8FromWide(std::wstring(1, wchar_t(0xDFFF)));
  EXPECT_EQ(low, "\xED\xBF\xBF");
  // A pair in the wrong order is two lone surrogates.
  EXPECT_EQ(Utf8FromWide(std::wstring{wchar_t(0xDE00), wchar_t(0xD83D)}),
            "\xED\xB8\x80\xED\xA0\xBD");
}

}  // namespace
}  // namespace kestro
