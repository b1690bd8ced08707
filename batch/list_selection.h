// How a click selects in an entry list (List1, List2), and the count said of a list's selection,
// the same in both windows.
//
//   ListClicks clicks;
//   const ListClicks::Range r = clicks.Click(row, list.selected(row), shift_held);
//   for (std::size_t i = r.first; i <= r.last; ++i) list.SetSelected(i, r.on);
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace kestro {

class ListClicks {
 public:
  struct Range {
    std::size_t first;
    std::size_t last;  // first <= last
    bool on;
  };
  // A click on `row`, selected or not before it: it toggles that entry alone; with Shift
  // (`extend`) after an earlier click, every entry from the one clicked before to `row` takes the
  // state the click gives `row`. Returns the entries to set and their state.
  Range Click(std::size_t row, bool row_selected, bool extend);
  // The list was filled anew: the next Shift+click has no entry to start from.
  void Forget() { anchor_ = kNone; }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t anchor_ = kNone;
};

// "7 of 200 selected", the numbers written by `number` (the locale's digit grouping).
[[nodiscard]] std::string SelectionCountText(std::size_t selected, std::size_t all,
                                             const std::function<std::string(std::size_t)>& number);

}  // namespace kestro
