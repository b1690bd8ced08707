// ListClicks and SelectionCountText.
#include "batch/list_selection.h"

#include <algorithm>

namespace kestro {

ListClicks::Range ListClicks::Click(std::size_t row, bool row_selected, bool extend) {
  const std::size_t from = extend && anchor_ != kNone ? anchor_ : row;
  anchor_ = row;
  return Range{std::min(from, row), std::max(from, row), !row_selected};
}

std::string SelectionCountText(std::size_t selected, std::size_t all,
                               const std::function<std::string(std::size_t)>& number) {
  return number(selected) + " of " + number(all) + " selected";
}

}  // namespace kestro
