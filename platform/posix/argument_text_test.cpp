#include "platform/argument_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestro {
namespace {

std::string TextOf(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return ArgumentText(static_cast<int>(arguments.size()), argv.data());
}

TEST(ArgumentTextTest, LeavesTheProgramOutAndQuotesWhatABlankWouldSplit) {
  EXPECT_EQ(TextOf({"kestro"}), "");
  EXPECT_EQ(TextOf({"kestro", "/home/u/Photos", "-F", "*.jpg", "-C", "lower"}),
            "/home/u/Photos -F *.jpg -C lower");
  EXPECT_EQ(TextOf({"kestro", "/home/u/My Photos", "-R", "a", ""}),
            "\"/home/u/My Photos\" -R a \"\"");
  EXPECT_EQ(TextOf({"kestro", ""}), "\"\"");
}

}  // namespace
}  // namespace kestro
