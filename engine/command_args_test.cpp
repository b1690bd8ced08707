#include "engine/command_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestro {
namespace {

TEST(SplitArgumentTextTest, WordsQuotesAndEmptyWords) {
  const std::pair<std::string, CommandWords> cases[] = {
      {"\"C:\\My Photos\" -F *.doc", {"C:\\My Photos", "-F", "*.doc"}},
      {"C:\\Photos  -F", {"C:\\Photos", "", "-F"}},  // a second blank makes an empty word
      {"  /tmp -D  ", {"/tmp", "-D"}},               // blanks at both ends are dropped
      {"--help ", {"--help"}},                       // as cmd hands it on before "> file"
      {"a\"b c\"d e", {"ab cd", "e"}},               // quotes anywhere in a word
      {"a \"\" b", {"a", "", "b"}},
      {"a \"b c", {"a", "b c"}},  // unbalanced: the rest is one word
      {"a\tb c", {"a\tb", "c"}},  // a tab is an ordinary character
      {"\"\"", {""}},             // one empty word
      {"a \"\"", {"a", ""}},
      {"", {}},
      {"   ", {}},
  };
  for (const auto& [text, words] : cases) {
    EXPECT_EQ(SplitArgumentText(text), words) << "text: " << text;
  }
}

TEST(CommandArgsOfTest, WordOneInEntryOneAndNoneBeyondTheTwentieth) {
  CommandWords many;
  for (int i = 1; i <= 25; ++i) many.push_back("w" + std::to_string(i));
  const CommandArgs args = CommandArgsOf(many);
  EXPECT_EQ(args[0], "") << "entry 0 is never used";
  EXPECT_EQ(args[1], "w1");
  EXPECT_EQ(args[20], "w20");  // the rest are dropped
  EXPECT_EQ(CommandArgsOf(CommandWords{"a"})[2], "");
  EXPECT_EQ(SplitCommandArgs("\"a b\" c")[2], "c");
}

TEST(CommandArgsTest, HelpRequestsAndJoinedArguments) {
  for (const char* text : {"/?", "?", "--help", "-?"}) EXPECT_TRUE(IsHelpRequest(text)) << text;
  for (const char* text : {"/HELP", " /?", "??", "--help "})
    EXPECT_FALSE(IsHelpRequest(text)) << text;

  const CommandWords arguments = {"/home/u/My Photos", "-R", "a b", "", "日本"};
  const std::string joined = JoinArguments(arguments);
  EXPECT_EQ(joined, "\"/home/u/My Photos\" -R \"a b\" \"\" 日本");
  EXPECT_EQ(SplitArgumentText(joined), arguments);
  EXPECT_EQ(JoinArguments(CommandWords{""}), "\"\"");
  EXPECT_EQ(JoinArguments(CommandWords{}), "");
}

}  // namespace
}  // namespace kestro
