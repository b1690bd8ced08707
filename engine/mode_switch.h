// The command line's mode switch and its parameters, read into an operation; how the grammar
// takes each word by its place; and why a wrong command line is wrong, in one line.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "engine/command_args.h"
#include "engine/rename_operation.h"

namespace kestro {

enum class BatchTarget { Files, Directories };

// For files the switch is word 4 and its parameters words 5 to 9; for directories word 3 and
// words 4 to 9.
struct ModeSwitch {
  bool rejected = false;  // unknown switch or "-C" word: WrongCommand, nothing renamed
  RenameMode mode = RenameMode::None;
  std::string param1;
  std::string param2;
  bool extension_only = false;  // "-CE": the case of the extension alone changes
  bool regex = false;           // "-RX": param1 is a regular expression
  bool match_case = false;      // "-R"/"-RX" ... "-case": letters match in their own case
  bool check_smart = false;     // files, "-SR <x> <any word>": SmartCheck gets checked
  bool numbering = false;       // "-NA"/"-ND": the Numbering flag is set, names come via RenameStr
  bool descending = false;      // "-ND": sortdescending gets selected after the options are read
  // "-NAT"/"-NDT" count in the order of the date taken, "-NAM"/"-NDM" of the date modified.
  NumberingOrder order = NumberingOrder::Name;
  bool has_sort_words = false;  // the word after "-NA"/"-ND" is not empty: call ParseSortLine
  std::array<std::string, 4> sort_words;  // the four words that follow "-NA"/"-ND"
};

[[nodiscard]] ModeSwitch ParseModeSwitch(BatchTarget target, const CommandArgs& args);

// How the grammar takes a word of a command line by its place (words from word 1, the folder).
enum class WordPlace {
  kFolder,  // word 1
  kTarget,  // word 2: "-D", "-F" or a wrong one, after which the file branch runs all the same
  kMask,    // word 3 of the file branch
  kSwitch,  // the mode switch: word 4 of the file branch, word 3 for "-D"
  kText,    // a word the operation takes as text whatever it holds: the two words of "-R"
  // Any other word the switch reads: a count, the case word, the extension word of "-SR" (files),
  // the template words of "-L" (up to word 9), the four words after "-NA"/"-ND" (when the first
  // is not empty).
  kValue,
  // Read by nobody: after the switch's words, after a switch that is none, past the 20th word.
  kIgnored,
};
[[nodiscard]] std::vector<WordPlace> WordPlaces(std::span<const std::string> words);

// Why the words from the target on make a wrong command line, as one line for a person:
// "unknown switch '-Q'" (the target or the mode switch), "missing switch after -D", "-C takes
// upper, lower or sentence, not 'title'", ... Empty when the batches take them, and for words
// after "-NA"/"-ND" that the numbering parser answers with a message of its own.
[[nodiscard]] std::string CommandLineFault(const CommandArgs& args);

}  // namespace kestro
