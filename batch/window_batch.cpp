// RunWindowBatch and FolderAfterBatch.
#include "batch/window_batch.h"

#include <utility>

#include "batch/pickers.h"

namespace kestro {

BatchReport RunWindowBatch(WindowState& state, FileSystem& fs, const Clock& clock, UiHost& ui,
                           JournalFolder* journal, const BatchRenamer::ProgressHook& progress) {
  WindowState snapshot = state;
  BatchRenamer batch(snapshot, fs, clock, ui);
  batch.SetJournal(journal);
  if (progress) batch.SetProgressHook(progress);
  BatchReport report = batch.Command10_Click();
  SelectableList& refilled = snapshot.TargetKind ? snapshot.List1 : snapshot.List2;
  (state.TargetKind ? state.List1 : state.List2) = std::move(refilled);
  return report;
}

std::string FolderAfterBatch(FileSystem& fs, const std::string& was, const BatchReport& report,
                             bool directories, std::string* gone_note) {
  const std::string moved = PathAfterRenames(fs, was, report);
  std::string now = moved;
  std::string there;
  for (int up = 0; !fs.AbsoluteFolder(now, &there).ok(); ++up) {
    if (up == 64) return {};  // not even a root is left: the page stays as it is
    now = fs.JoinPath(now, "..");
  }
  if (there == was) return {};
  if (there != moved && gone_note != nullptr) {
    *gone_note = " The folder '" + was + "' is gone; the " +
                 (directories ? "Directories" : "Files") + " page shows '" + there + "' instead.";
  }
  return there;
}

}  // namespace kestro
