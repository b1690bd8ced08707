#include "engine/numbering.h"

#include <cmath>
#include <limits>
#include <optional>

#include "engine/text_number.h"
#include "engine/utf8_text.h"

namespace kestro {
namespace {

std::int16_t DigitWidth(std::int32_t value) {
  return static_cast<std::int16_t>(std::to_string(value).size());
}

// `value` as a whole 32-bit number, rounded half to even; nothing when it does not fit.
std::optional<std::int32_t> ToInt32(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    return std::nullopt;  // NaN and infinities fail these comparisons too
  }
  return static_cast<std::int32_t>(rounded);
}

void TrimBlanks(std::string& word) {
  const std::size_t first = word.find_first_not_of(' ');
  if (first == std::string::npos) {
    word.clear();
    return;
  }
  word.erase(word.find_last_not_of(' ') + 1);
  word.erase(0, first);
}

}  // namespace

NumberingOutcome ComputeNumbering(const NumberingSettings& settings, std::int32_t position,
                                  std::int32_t count) {
  using Status = NumberingOutcome::Status;
  NumberingOutcome outcome;
  outcome.values.entry_number = position;
  outcome.values.highest_number = count;
  outcome.values.digit_width = DigitWidth(count);
  outcome.param1 = settings.sortascending ? "1" : "2";

  if (settings.sortstartat) {
    if (settings.sortstartatnum.empty()) {
      outcome.status = Status::kNoName;
      return outcome;
    }
    // Start s, position p: the entry number is s + p - 1, worked out in floating point so a huge
    // start cannot wrap; a result outside 32 bits is refused like the other erroneous values.
    const std::optional<std::int32_t> entry =
        ToInt32(ReadNumber(settings.sortstartatnum) + static_cast<double>(position) - 1.0);
    if (!entry) {
      outcome.status = Status::kErroneous;
      return outcome;
    }
    outcome.values.entry_number = *entry;
  }
  outcome.param2 = settings.sortleading ? "1" : "";

  // The digit length is checked even while "Use digit length of:" is clear.
  const double length = ReadNumber(settings.sortlennum);
  if (length > 9.0 || outcome.values.entry_number < 0) {
    outcome.status = Status::kErroneous;
    return outcome;
  }

  if (settings.sortlen) {
    if (settings.sortlennum.empty()) {
      outcome.status = Status::kNoName;
      return outcome;
    }
    // length <= 9 here, so 10^length - 1 lies between -1 (very negative lengths) and 999999999;
    // a fractional length gives the rounded power (2.5 -> 315).
    const std::optional<std::int32_t> highest = ToInt32(std::pow(10.0, length) - 1.0);
    if (!highest) {
      outcome.status = Status::kErroneous;
      return outcome;
    }
    outcome.values.highest_number = *highest;
    outcome.values.digit_width = DigitWidth(*highest);
  }
  return outcome;
}

SortLineResult ParseSortLine(NumberingSettings& settings, std::string a1, std::string a2,
                             std::string a3, std::string a4) {
  TrimBlanks(a1);
  TrimBlanks(a2);
  TrimBlanks(a3);
  TrimBlanks(a4);

  if (ToUpper(a1) == "-L") {
    settings.sortleading = true;
    if (a2.empty()) return SortLineResult::kAccepted;
    if (a2.front() != '-') {
      if (ReadNumber(a2) == 0.0) return SortLineResult::kRejected;
      settings.sortlen = true;
      settings.sortlennum = a2;
      if (a3.empty()) return SortLineResult::kAccepted;
      // Any word in third place introduces the start position; only its value is required.
      if (a4.empty()) return SortLineResult::kRejected;
      settings.sortstartat = true;
      settings.sortstartatnum = a4;
      return SortLineResult::kAccepted;
    }
    if (ToUpper(a2) != "-S" || a3.empty()) return SortLineResult::kRejected;
    settings.sortstartat = true;
    settings.sortstartatnum = a3;
    return SortLineResult::kAccepted;
  }
  if (ToUpper(a1) == "-S") {
    if (a2.empty()) return SortLineResult::kRejected;
    settings.sortstartat = true;
    settings.sortstartatnum = a2;
    return SortLineResult::kAccepted;
  }
  return SortLineResult::kWrongCommands;
}

}  // namespace kestro
