#include "engine/command_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestro {
namespace {

// The words of `args` up to the last non-empty one.
std::vector<std::string> Words(const CommandArgs& args) {
  std::size_t last = 0;
  for (std::size_t i = 1; i < args.size(); ++i) last = args[i].empty() ? last : i;
  return std::vector<std::string>(args.begin() + 1, args.begin() + static_cast<long>(last) + 1);
}

TEST(SplitCommandArgsTest, WordsQuotesAndEmptyWords) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"\"C:\\My Photos\" -F *.doc", {"C:\\My Photos", "-F", "*.doc"}},
      {"C:\\Photos  -F", {"C:\\Photos", "", "-F"}},  // a second blank makes an empty word
      {"  /tmp -D  ", {"/tmp", "-D"}},               // blanks at both ends are dropped
      {"a\"b c\"d e", {"ab cd", "e"}},               // quotes anywhere in a word
      {"a \"\" b", {"a", "", "b"}},
      {"a \"b c", {"a", "b c"}},  // unbalanced: the rest is one word
      {"a\tb c", {"a\tb", "c"}},  // a tab is an ordinary character
      {"\"\"", {}},
  };
  for (const auto& [text, words] : cases) {
    const CommandArgs args = SplitCommandArgs(text);
    EXPECT_EQ(Words(args), words) << "text: " << text;
    EXPECT_EQ(args[0], "") << "entry 0 is never used";
  }
  std::string many;
  for (int i = 1; i <= 25; ++i) many += "w" + std::to_string(i) + " ";
  EXPECT_EQ(SplitCommandArgs(many)[20], "w20");  // the rest are dropped
}

TEST(CommandArgsTest, HelpRequestsWordCountAndJoinedArguments) {
  for (const char* text : {"/?", "?", "--help", "-?"}) EXPECT_TRUE(IsHelpRequest(text)) << text;
  for (const char* text : {"/HELP", " /?", "??"}) EXPECT_FALSE(IsHelpRequest(text)) << text;
  EXPECT_EQ(SpaceCountWords("C:\\Photos"), 1u);
  EXPECT_EQ(SpaceCountWords("\"a  b\""), 3u);  // every blank counts, quoted or not

  const std::vector<std::string> arguments = {"/home/u/My Photos", "-R", "a b", "", "日本"};
  const std::string joined = JoinArguments(arguments);
  EXPECT_EQ(joined, "\"/home/u/My Photos\" -R \"a b\" \"\" 日本");
  EXPECT_EQ(Words(SplitCommandArgs(joined)), arguments);
  EXPECT_EQ(JoinArguments({""}), "\"\"");
}

}  // namespace
}  // namespace kestro
