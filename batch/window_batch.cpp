// RunWindowBatch and FolderAfterBatch.
#include "batch/window_batch.h"

#include <utility>

#include "batch/pickers.h"

namespace kestro {
namespace {

// `path` without its last part, by its text alone: the system gives no parent of a folder that is
// gone ("gone/.." names nothing). A root keeps its separator: "/a" gives "/", and "C:\a" gives
// "C:\" on Windows. A root itself, or a path without a separator, gives an empty text.
std::string ParentText(const FileSystem& fs, const std::string& path) {
  for (std::size_t at = path.size(); at > 0; --at) {
    if (!fs.HoldsSeparator(std::string_view(path).substr(at - 1, 1))) continue;
    if (at == path.size()) return {};
    std::string parent = path.substr(0, at - 1);
    if (parent.empty() || parent.back() == ':') parent = path.substr(0, at);
    return parent;
  }
  return {};
}

}  // namespace

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
  while (!fs.AbsoluteFolder(now, &there).ok()) {
    now = ParentText(fs, now);
    if (now.empty()) return {};  // not even a root is left: the page stays as it is
  }
  if (there == was) return {};
  if (there != moved && gone_note != nullptr) {
    *gone_note = " The folder '" + was + "' is gone; the " +
                 (directories ? "Directories" : "Files") + " page shows '" + there + "' instead.";
  }
  return there;
}

}  // namespace kestro
