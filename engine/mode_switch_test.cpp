#include "engine/mode_switch.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kestro {
namespace {

struct SwitchCase {
  const char* words;  // after "<path> -F <mask>" or "<path> -D"
  bool rejected;
  RenameMode mode;
  const char* param1;
  const char* param2;
  bool check_smart;
};

ModeSwitch Parse(BatchTarget target, const std::string& words) {
  const std::string text =
      target == BatchTarget::Files ? "/tmp/x -F *.* " + words : "/tmp/x -D " + words;
  return ParseModeSwitch(target, SplitCommandArgs(text));
}

void ExpectSwitches(BatchTarget target, const SwitchCase* begin, const SwitchCase* end) {
  for (const SwitchCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(std::string(target == BatchTarget::Files ? "files: " : "directories: ") +
                 c->words);
    const ModeSwitch s = Parse(target, c->words);
    EXPECT_EQ(s.rejected, c->rejected);
    EXPECT_EQ(s.mode, c->mode);
    EXPECT_EQ(s.param1, c->param1);
    EXPECT_EQ(s.param2, c->param2);
    EXPECT_EQ(s.check_smart, c->check_smart);
    EXPECT_FALSE(s.numbering);
  }
}

constexpr auto kNone = RenameMode::None;
constexpr auto kStrip = RenameMode::Strip;
constexpr auto kReplace = RenameMode::Replace;
constexpr auto kCase = RenameMode::Case;
constexpr auto kLiteral = RenameMode::Literal;

TEST(ParseModeSwitchTest, FilesSwitchIsWordFour) {
  const SwitchCase cases[] = {
      {"-SL 2", false, kStrip, "2", "1", false},
      {"-sl abc", false, kStrip, "abc", "1", false},
      {"-SL 2 -noext", false, kStrip, "2", "1", false},  // only "-SR" keeps the extension
      {"-SR 3", false, kStrip, "3", "2", false},
      {"-sr 3 -NOEXT", false, kStrip, "3", "2", true},
      {"-SR 3 x", false, kStrip, "3", "2", true},
      {"-SR 3 \"\"", false, kStrip, "3", "2", false},
      {"-R ~ _", false, kReplace, " ", "_", false},
      {"-R _ ~", false, kReplace, "_", " ", false},
      {"-R a~b c", false, kReplace, "a b", "c", false},
      {"-R \"a b\" ~~", false, kReplace, "a b", "  ", false},
      {"-R x", false, kReplace, "x", "", false},
      {"-C Sentence", false, kCase, "3", "", false},
      {"-C s", false, kCase, "3", "", false},
      {"-C Silly", false, kCase, "3", "", false},
      {"-C lower", false, kCase, "2", "", false},
      {"-C L", false, kCase, "2", "", false},
      {"-c upper", false, kCase, "1", "", false},
      {"-C ultra", false, kCase, "1", "", false},
      {"-C title", true, kNone, "", "", false},
      {"-C", true, kNone, "", "", false},
      {"-C \"\"", true, kNone, "", "", false},
      {"-C élan", true, kNone, "", "", false},
      {"-L $NAME", false, kLiteral, "$NAME    ", "", false},
      {"-L $DATE1 - $NAME", false, kLiteral, "$DATE1 - $NAME  ", "", false},
      {"-L a b c d e f g", false, kLiteral, "a b c d e", "", false},  // five words
      {"-X 3", true, kNone, "", "", false},
      {"", true, kNone, "", "", false},
      {"-S 3", true, kNone, "", "", false},
      {"-SLX 3", true, kNone, "", "", false},
  };
  ExpectSwitches(BatchTarget::Files, std::begin(cases), std::end(cases));
}

TEST(ParseModeSwitchTest, DirectoriesSwitchIsWordThree) {
  const SwitchCase cases[] = {
      {"-SL 1", false, kStrip, "1", "1", false},
      {"-SR 2 -noext", false, kStrip, "2", "2", false},  // no "-noext" for directories
      {"-R ~ _", false, kReplace, " ", "_", false},
      {"-C upper", false, kCase, "1", "", false},
      {"-C x", true, kNone, "", "", false},
      {"-L a b c d e f g", false, kLiteral, "a b c d e f", "", false},  // six words
      {"-L $NAME", false, kLiteral, "$NAME     ", "", false},
      {"-Q", true, kNone, "", "", false},
  };
  ExpectSwitches(BatchTarget::Directories, std::begin(cases), std::end(cases));
}

TEST(ParseModeSwitchTest, NumberingHandsItsWordsToTheOptionsParser) {
  struct Case {
    BatchTarget target;
    const char* words;
    bool descending;
    const char* param1;
    bool has_sort_words;
    std::array<std::string, 4> sort_words;
  };
  const Case cases[] = {
      {BatchTarget::Files, "-NA", false, "1", false, {"", "", "", ""}},
      {BatchTarget::Files, "-nd", true, "2", false, {"", "", "", ""}},
      {BatchTarget::Files, "-NA -L 3 -S 5 extra", false, "1", true, {"-L", "3", "-S", "5"}},
      {BatchTarget::Files, "-ND -S 2", true, "2", true, {"-S", "2", "", ""}},
      {BatchTarget::Files, "-NA  -L", false, "1", false, {"", "-L", "", ""}},
      {BatchTarget::Directories, "-ND -L 2", true, "2", true, {"-L", "2", "", ""}},
      {BatchTarget::Directories, "-na -l -s 8 x", false, "1", true, {"-l", "-s", "8", "x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    const ModeSwitch s = Parse(c.target, c.words);
    EXPECT_FALSE(s.rejected);
    EXPECT_EQ(s.mode, RenameMode::Numbering);
    EXPECT_TRUE(s.numbering);
    EXPECT_EQ(s.descending, c.descending);
    EXPECT_EQ(s.param1, c.param1);
    EXPECT_EQ(s.has_sort_words, c.has_sort_words);
    EXPECT_EQ(s.sort_words, c.sort_words);
  }
}

TEST(ParseModeSwitchTest, TheMaskIsNotTheSwitch) {
  // "<path>  -F *.doc -C upper": every word sits one entry too far, so "*.doc" is the switch.
  const ModeSwitch s =
      ParseModeSwitch(BatchTarget::Files, SplitCommandArgs("C:\\Photos  -F *.doc -C upper"));
  EXPECT_TRUE(s.rejected);
}

}  // namespace
}  // namespace kestro
