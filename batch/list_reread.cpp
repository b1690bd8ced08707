// SelectedEntries, SelectEntries and RereadBothPages.
#include "batch/list_reread.h"

#include <unordered_set>

#include "batch/batch_renamer.h"
#include "batch/window_state.h"

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

std::string RereadBothPages(WindowState& state, BatchRenamer& batch,
                            const std::function<std::string(const BatchReport&)>& refresh_after) {
  const std::string dirs_was = state.dirs_folder;
  const std::string files_was = state.files_folder;
  const std::vector<std::string> kept1 = SelectedEntries(state.List1);
  const std::vector<std::string> kept2 = SelectedEntries(state.List2);
  batch.Dir2_Change();
  batch.File1_PathChange();
  BatchReport nothing_renamed;
  nothing_renamed.ran = true;
  std::string said = refresh_after(nothing_renamed);
  if (state.dirs_folder == dirs_was) SelectEntries(state.List1, kept1);
  if (state.files_folder == files_was) SelectEntries(state.List2, kept2);
  return said;
}

}  // namespace kestro
