// SelectedEntries and SelectEntries.
#include "batch/list_reread.h"

#include <unordered_set>

namespace kestro {

std::vector<std::string> SelectedEntries(const SelectableList& list) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list.selected(i)) names.push_back(list.at(i));
  }
  return names;
}

void SelectEntries(SelectableList& list, const std::vector<std::string>& names) {
  if (names.empty()) return;
  // A set, so re-reading a folder of 100,000 entries stays one pass over each side.
  const std::unordered_set<std::string> wanted(names.begin(), names.end());
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (wanted.contains(list.at(i))) list.SetSelected(i, true);
  }
}

}  // namespace kestro
