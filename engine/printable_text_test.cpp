#include "engine/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

TEST(PrintableTextTest, ControlCharactersAreWrittenOutAndNothingElse) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain name.txt", "plain name.txt"},
      {"two\nlines", "two\\nlines"},
      {"a\tb\rc", "a\\tb\\x0Dc"},
      {std::string("nul\0", 4) + "\x1b[31m\x7f", "nul\\x00\\x1B[31m\\x7F"},
      {"back\\slash \\n é 日本 \xFF", "back\\slash \\n é 日本 \xFF"},  // as they are
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(PrintableText(text), shown) << shown;
}

}  // namespace
}  // namespace kestro
