// The words of a command line: read once where the system hands them over (on Linux the arguments
// as they are, on Windows one line split by the quote rule) and handed down as one list.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// The words of a call, the program's own options included, the first word first. Every word is
// kept, also past the 20th: the grammar drops those (CommandArgsOf), a program option among them
// still counts.
using CommandWords = std::vector<std::string>;

// Entries 1 to 20 hold the words; entry 0 is never used. Absent words are empty.
using CommandArgs = std::array<std::string, 21>;

// Splits the argument text of a Windows command line (blanks at both ends removed) one character
// at a time: a double quote toggles quoting and is not stored; outside quotes a blank moves on to
// the next word (so a further blank gives an empty word). Only blanks separate words. A text that
// is empty once trimmed has no words; any other has one word more than it has blanks outside
// quotes, so "\"\"" is one empty word.
// SplitArgumentText("\"C:\\My Photos\"  -D") == {"C:\\My Photos", "", "-D"}.
[[nodiscard]] CommandWords SplitArgumentText(std::string_view text);

// Word i of `words` in entry i; the 21st and later words are dropped.
[[nodiscard]] CommandArgs CommandArgsOf(std::span<const std::string> words);

// CommandArgsOf(SplitArgumentText(text)).
[[nodiscard]] CommandArgs SplitCommandArgs(std::string_view text);

// "/?", "?", "--help" or "-?" exactly.
[[nodiscard]] bool IsHelpRequest(std::string_view text);

// The words joined by single blanks, a word that is empty or holds a blank wrapped in double
// quotes: a line to show, which SplitArgumentText takes back into the same words as long as no
// word holds a double quote.
[[nodiscard]] std::string JoinArguments(const CommandWords& arguments);

}  // namespace kestro
