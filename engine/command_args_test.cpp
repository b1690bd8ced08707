#include "engine/command_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestro {
namespace {

// The first words of `args` up to the last non-empty one.
std::vector<std::string> Words(const CommandArgs& args) {
  std::size_t last = 0;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (!args[i].empty()) last = i;
  }
  return std::vector<std::string>(args.begin() + 1, args.begin() + static_cast<long>(last) + 1);
}

TEST(SplitCommandArgsTest, WordsQuotesAndEmptyWords) {
  struct Case {
    std::string text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"C:\\Photos -F *.doc -C upper", {"C:\\Photos", "-F", "*.doc", "-C", "upper"}},
      {"\"C:\\My Photos\" -F *.doc -C lower", {"C:\\My Photos", "-F", "*.doc", "-C", "lower"}},
      {"C:\\Photos  -F *.doc -C upper", {"C:\\Photos", "", "-F", "*.doc", "-C", "upper"}},
      {"  /tmp -D -SL 2  ", {"/tmp", "-D", "-SL", "2"}},  // blanks at both ends are dropped
      {"a\"b c\"d e", {"ab cd", "e"}},                    // quotes anywhere in a word
      {"a \"\" b", {"a", "", "b"}},
      {"a \"b c", {"a", "b c"}},  // unbalanced: the rest is one word
      {"a\tb c", {"a\tb", "c"}},  // a tab is an ordinary character
      {"\"\"", {}},
      {"", {}},
      {"日本 😀", {"日本", "😀"}},
  };
  for (const Case& c : cases) {
    const CommandArgs args = SplitCommandArgs(c.text);
    EXPECT_EQ(Words(args), c.words) << "text: " << c.text;
    EXPECT_EQ(args[0], "") << "entry 0 is never used";
  }
}

TEST(SplitCommandArgsTest, WordsPastTheTwentiethAreDropped) {
  std::string text;
  for (int i = 1; i <= 25; ++i) text += "w" + std::to_string(i) + " ";
  const CommandArgs args = SplitCommandArgs(text);
  EXPECT_EQ(args[1], "w1");
  EXPECT_EQ(args[20], "w20");
  const CommandArgs blanks = SplitCommandArgs("a" + std::string(40, ' ') + "b");
  EXPECT_EQ(blanks[1], "a");
  for (std::size_t i = 2; i <= 20; ++i) EXPECT_EQ(blanks[i], "") << i;
}

TEST(IsHelpRequestTest, ExactTextsOnly) {
  for (const char* text : {"/?", "?", "--help", "-?"}) EXPECT_TRUE(IsHelpRequest(text)) << text;
  for (const char* text : {"/HELP", " /?", "/? ", "--HELP", "-h", "", "??"}) {
    EXPECT_FALSE(IsHelpRequest(text)) << text;
  }
}

TEST(SpaceCountWordsTest, BlanksPlusOne) {
  EXPECT_EQ(SpaceCountWords(""), 1u);
  EXPECT_EQ(SpaceCountWords("C:\\Photos"), 1u);
  EXPECT_EQ(SpaceCountWords("a b"), 2u);
  EXPECT_EQ(SpaceCountWords("a  b"), 3u);
  EXPECT_EQ(SpaceCountWords("\"a b\""), 2u);  // quotes do not matter here
  EXPECT_EQ(SpaceCountWords("a\tb"), 1u);
}

TEST(JoinArgumentsTest, QuotesEmptyAndBlankArguments) {
  EXPECT_EQ(JoinArguments({}), "");
  EXPECT_EQ(JoinArguments({""}), "\"\"");
  EXPECT_EQ(JoinArguments({"/tmp/x", "-F", "*.jpg", "-C", "lower"}), "/tmp/x -F *.jpg -C lower");
  EXPECT_EQ(JoinArguments({"/tmp/My Photos", "-D", "-R", "a", ""}),
            "\"/tmp/My Photos\" -D -R a \"\"");
}

TEST(JoinArgumentsTest, SplittingTheJoinedTextGivesTheArgumentsBack) {
  const std::vector<std::vector<std::string>> lists = {
      {"/home/u/My Photos", "-F", "*.jpg", "-R", "a b", ""},
      {"/tmp", "-D", "-L", "$DATE1 - $NAME"},
      {"/tmp", "-d", "-C", "日本 é"},
  };
  for (const auto& list : lists) {
    const CommandArgs args = SplitCommandArgs(JoinArguments(list));
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(args[i + 1], list[i]) << i;
  }
}

}  // namespace
}  // namespace kestro
