// The numbering computation of one entry (settings, position and count in; the three numbers out)
// and the parser of the command line's numbering options "[-L [<length>] ] [-S <x> ]".
#pragma once

#include <cstdint>
#include <string>

#include "engine/rename_operation.h"

namespace kestro {

struct NumberingOutcome {
  enum class Status {
    kOk,         // `values`, `param1` and `param2` hold what ProcessString needs
    kNoName,     // a checked start position or digit length has an empty field: no name, no message
    kErroneous,  // no name, and "You have entered erraneous values!" is due
  };
  Status status = Status::kOk;
  std::string param1;  // "1" ascending, "2" descending
  std::string param2;  // "1" leading zeros, else empty
  NumberingValues values;
};

// `position` is the entry's 1-based place in its batch, `count` the size of the batch. A start
// position or entry number that does not fit a 32-bit signed number is kErroneous.
// A digit length L (at most 9 once checked) gives HighestNumber = 10^L - 1 rounded half to even,
// so a fractional or negative L stays within 32 bits: 315 for 2.5, -1 for -1 or less.
[[nodiscard]] NumberingOutcome ComputeNumbering(const NumberingSettings& settings,
                                                std::int32_t position, std::int32_t count);

enum class SortLineResult {
  kAccepted,
  kRejected,       // the caller sets WrongCommand and unloads the main window
  kWrongCommands,  // rejected, and the message "Wrong Commands!" is due first
};

// Reads the four words after "-NA"/"-ND" into `settings`. On a rejection the options set before
// it stay set and those after it are not set.
SortLineResult ParseSortLine(NumberingSettings& settings, std::string a1, std::string a2,
                             std::string a3, std::string a4);

}  // namespace kestro
