#include "engine/command_args.h"

#include <algorithm>

namespace kestro {

CommandArgs SplitCommandArgs(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string_view::npos
             ? std::string_view()
             : text.substr(first, text.find_last_not_of(' ') - first + 1);

  CommandArgs args;
  std::size_t entry = 1;
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      ++entry;
    } else if (entry < args.size()) {
      args[entry].push_back(c);  // words past the 20th are dropped
    }
  }
  return args;
}

bool IsHelpRequest(std::string_view text) {
  return text == "/?" || text == "?" || text == "--help" || text == "-?";
}

std::size_t SpaceCountWords(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')) + 1;
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += ' ';
    const std::string& argument = arguments[i];
    if (argument.empty() || argument.find(' ') != std::string::npos) {
      text += '"' + argument + '"';
    } else {
      text += argument;
    }
  }
  return text;
}

}  // namespace kestro
