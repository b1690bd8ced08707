// What a window says after a batch or an undo: the status line's one line, and the list of every
// entry that kept its name, with its reason, for the details window.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "batch/outcome.h"

namespace kestro {

// How a count is written for a person; a window passes its locale's, with thousands separators.
using CountText = std::function<std::string(std::size_t)>;
[[nodiscard]] std::string PlainCount(std::size_t n);

// Empty when the batch did not run (it stopped at an input check). Otherwise, e.g. "Renamed 2 of
// 4 entries; 1 already had its new name; 1 kept its name: 'a.txt' to 'b.txt': a file of that
// name exists." A cancelled batch says how many of its entries it did not reach: "Renamed 72,116
// of 100,000; stopped before the other 27,884." Reasons of at most `max_reasons` entries are
// given, then how many more kept their names.
[[nodiscard]] std::string DescribeBatch(const BatchReport& report,
                                        const CountText& count = PlainCount,
                                        std::size_t max_reasons = 3);

// The status line after an undo, e.g. "Undo: 3 of 4 entries have their old names back; 1 could
// not go back: 'b' to 'a': a file of that name exists." A report of an undo that found nothing
// to take back says "Nothing to undo."
[[nodiscard]] std::string DescribeUndo(const BatchReport& report,
                                       const CountText& count = PlainCount,
                                       std::size_t max_reasons = 3);

// One line per entry that kept its name or could not go back, in the order they were taken:
// "'OLD' to 'NEW': REASON" ("'OLD': REASON" where no new name could be made).
[[nodiscard]] std::vector<std::string> KeptReasons(const BatchReport& report);

}  // namespace kestro
