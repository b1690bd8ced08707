#include "platform/windows/command_line_text.h"

namespace kestro {

std::wstring_view ArgumentsOfCommandLine(std::wstring_view command_line) {
  std::size_t i = 0;
  if (!command_line.empty() && command_line[0] == L'"') {
    const std::size_t closing = command_line.find(L'"', 1);
    i = closing == std::wstring_view::npos ? command_line.size() : closing + 1;
  } else {
    while (i < command_line.size() && command_line[i] != L' ' && command_line[i] != L'\t') ++i;
  }
  while (i < command_line.size() && (command_line[i] == L' ' || command_line[i] == L'\t')) ++i;
  return command_line.substr(i);
}

}  // namespace kestro
