// The command line's mode switch and its parameters, read into an operation.
#pragma once

#include <array>
#include <string>

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
  bool has_sort_words = false;  // the word after "-NA"/"-ND" is not empty: call ParseSortLine
  std::array<std::string, 4> sort_words;  // the four words that follow "-NA"/"-ND"
};

[[nodiscard]] ModeSwitch ParseModeSwitch(BatchTarget target, const CommandArgs& args);

}  // namespace kestro
