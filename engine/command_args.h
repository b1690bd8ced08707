// The words of a command line: its argument text split by the program's own rules.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Entries 1 to 20 hold the words; entry 0 is never used. Absent words are empty.
using CommandArgs = std::array<std::string, 21>;

// Splits `text` (blanks at both ends removed) one character at a time: a double quote toggles
// quoting and is not stored; outside quotes a blank moves to the next entry (so a further blank
// gives an empty word); the 21st and later words are dropped. Only blanks separate words.
[[nodiscard]] CommandArgs SplitCommandArgs(std::string_view text);

// "/?", "?", "--help" or "-?" exactly.
[[nodiscard]] bool IsHelpRequest(std::string_view text);

// Number of words by the space-count rule: the blanks of the whole text plus one.
[[nodiscard]] std::size_t SpaceCountWords(std::string_view text);

// The argument text on Linux: argv[1..] joined by single blanks, an argument that is empty or
// holds a blank wrapped in double quotes first.
[[nodiscard]] std::string JoinArguments(const std::vector<std::string>& arguments);

}  // namespace kestro
