// The text of the main window's status line after a batch: how many entries were renamed, how
// many kept their names, and why the first few kept them.
#pragma once

#include <cstddef>
#include <string>

#include "batch/outcome.h"

namespace kestro {

// Empty when the batch did not run (it stopped at an input check).
// Otherwise, e.g. "Renamed 2 of 4 entries; 1 already had its new name; 1 kept its name:
// 'a.txt' to 'b.txt': a file of that name exists." Reasons of at most `max_reasons` entries
// are given, then how many more kept their names.
[[nodiscard]] std::string DescribeBatch(const BatchReport& report, std::size_t max_reasons = 3);

}  // namespace kestro
