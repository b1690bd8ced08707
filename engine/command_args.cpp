#include "engine/command_args.h"

namespace kestro {

CommandWords SplitArgumentText(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);

  CommandWords words(1);
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      words.emplace_back();
    } else {
      words.back().push_back(c);
    }
  }
  return words;
}

CommandArgs CommandArgsOf(std::span<const std::string> words) {
  CommandArgs args;
  for (std::size_t i = 0; i < words.size() && i + 1 < args.size(); ++i) args[i + 1] = words[i];
  return args;
}

CommandArgs SplitCommandArgs(std::string_view text) {
  return CommandArgsOf(SplitArgumentText(text));
}

bool IsHelpRequest(std::string_view text) {
  return text == "/?" || text == "?" || text == "--help" || text == "-?";
}

std::string JoinArguments(const CommandWords& arguments) {
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
