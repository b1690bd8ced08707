// One table of expression cases, run on Linux and under Wine: both platforms must give the same
// name (or the same failure) for the same pattern.
#include "engine/regex_replace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "engine/process_string.h"

namespace kestro {
namespace {

struct RegexCase {
  const char* pattern;
  const char* replacement;
  bool match_case;
  const char* name;
  const char* expected;  // the new name, or the failure when `fails`
  bool fails = false;
};

constexpr bool kCaseBlind = false;
constexpr bool kMatchCase = true;

const RegexCase kCases[] = {
    // Captures, the whole match, a dollar.
    {"^img_(\\d+)", "Photo $1", kCaseBlind, "img_0042.jpg", "Photo 0042.jpg"},
    {"(\\d{4})(\\d{2})(\\d{2})", "$3.$2.$1", kCaseBlind, "IMG_20261204.jpg", "IMG_04.12.2026.jpg"},
    {"\\d+", "[$0]", kCaseBlind, "a1b22", "a[1]b[22]"},
    {"x", "$$", kCaseBlind, "axb", "a$b"},
    {"(a)|b", "[$1]", kCaseBlind, "ab", "[a][]"},  // an unset group is empty
    {"a", "$7", kCaseBlind, "cat", "ct"},          // so is an unknown one
    // Named groups: "Artist - Title" swapped.
    {"^(?<artist>.+?) - (?<title>.+)\\.mp3$", "${title} - ${artist}.mp3", kCaseBlind,
     "Artist - Title.mp3", "Title - Artist.mp3"},
    // Case changes.
    {"(\\w+)", "\\U$1", kCaseBlind, "hello world.txt", "HELLO WORLD.TXT"},
    {"\\.(\\w+)$", ".\\U$1", kCaseBlind, "photo.jpg", "photo.JPG"},
    {"\\.(\\w+)$", ".\\L$1", kCaseBlind, "PHOTO.JPG", "PHOTO.jpg"},
    {"^(\\w)(\\w*)", "\\U$1\\E$2", kCaseBlind, "élan vital", "Élan vital"},
    // Anchors and every match.
    {"^", "x_", kCaseBlind, "name", "x_name"},
    {"$", "_x", kCaseBlind, "name", "name_x"},
    {"a", "o", kCaseBlind, "banana", "bonono"},
    {"^a", "o", kCaseBlind, "banana", "banana"},
    // Unicode letters: "." is one character, \w and case-blind matching know accents.
    {"^.", "X", kCaseBlind, "éa", "Xa"},
    {"\\w+", "w", kCaseBlind, "straße-ÉTÉ", "w-w"},
    {"É", "e", kCaseBlind, "café", "cafe"},
    // A new name longer than the buffer first tried.
    {".", "$0$0$0$0", kCaseBlind, "abcdefghijabcdefghijabcdefghijabcdefghij",
     "aaaabbbbccccddddeeeeffffgggghhhhiiiijjjjaaaabbbbccccddddeeeeffffgggghhhhiiiijjjjaaaabbbbccccd"
     "dddeeeeffffgggghhhhiiiijjjjaaaabbbbccccddddeeeeffffgggghhhhiiiijjjj"},
    // An empty match between every character.
    {"x*", "-", kCaseBlind, "ab", "-a-b-"},
    // Match case off and on.
    {"^IMG_", "", kCaseBlind, "img_1.jpg", "1.jpg"},
    {"^IMG_", "", kMatchCase, "img_1.jpg", "img_1.jpg"},
    {"É", "e", kMatchCase, "café", "café"},
    {"é", "e", kMatchCase, "café", "cafe"},
    // Bad patterns and replacements, with their messages.
    {"(img", "", kCaseBlind, "img.jpg",
     "bad pattern '(img': missing closing parenthesis at offset 4", true},
    {"*x", "", kCaseBlind, "x",
     "bad pattern '*x': quantifier does not follow a repeatable item at offset 0", true},
    {"é(", "", kCaseBlind, "x", "bad pattern 'é(': missing closing parenthesis at offset 2",
     true},  // characters counted, not bytes
    {"[a-", "", kCaseBlind, "x",
     "bad pattern '[a-': missing terminating ] for character class at offset 3", true},
    {"a", "${x", kCaseBlind, "a",
     "bad replacement '${x': expected closing curly bracket in replacement string", true},
};

TEST(RegexReplaceTest, Table) {
  for (const RegexCase& c : kCases) {
    std::string out = "untouched";
    std::string failure;
    const bool replaced =
        RegexReplaceAll(c.name, c.pattern, c.replacement, c.match_case, &out, &failure);
    SCOPED_TRACE(std::string(c.pattern) + " -> " + c.replacement + " on " + c.name);
    EXPECT_EQ(replaced, !c.fails);
    EXPECT_EQ(c.fails ? failure : out, c.expected);
    if (c.fails) {
      EXPECT_EQ(out, "untouched");
    }
  }
}

TEST(RegexReplaceTest, CatastrophicPatternHitsTheMatchLimitQuickly) {
  const std::string name = std::string(200, 'a') + "!";
  const auto start = std::chrono::steady_clock::now();
  std::string out;
  std::string failure;
  EXPECT_FALSE(RegexReplaceAll(name, "(a+)+$", "x", false, &out, &failure));
  EXPECT_EQ(failure, "pattern '(a+)+$' hit its match limit on this name");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  // The same pattern on a name it matches at once still works.
  ASSERT_TRUE(RegexReplaceAll(std::string(200, 'a'), "(a+)+$", "x", false, &out, &failure));
  EXPECT_EQ(out, "x");
}

// Through ProcessString: an empty field "A:" replaces nothing; a failure keeps the name and says
// why; match case reaches the literal Replace too.
TEST(RegexReplaceTest, ProcessStringReplaceOptions) {
  RenameOperation op;
  op.mode = RenameMode::Replace;
  op.regex = true;
  const CalendarDate today{2026, 12, 4};
  std::string failure;
  EXPECT_EQ(ProcessString("abc", op, {}, today, &failure), "abc");
  op.param1 = "(b";
  EXPECT_EQ(ProcessString("abc", op, {}, today, &failure), "abc");
  EXPECT_EQ(failure, "bad pattern '(b': missing closing parenthesis at offset 2");
  op.param1 = "B";
  op.param2 = "$0$0";
  EXPECT_EQ(ProcessString("abc", op, {}, today), "abbc");

  op.regex = false;
  op.param2 = "x";
  op.match_case = true;
  EXPECT_EQ(ProcessString("aBcb", op, {}, today), "axcb");
  EXPECT_EQ(ReplaceAllMatchCase("ÉtÉ été", "É", "E"), "EtE été");
}

}  // namespace
}  // namespace kestro
