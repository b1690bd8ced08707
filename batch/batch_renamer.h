// The directory batch (Command2_Click) and the file batch (Command9_Click), in window mode (the
// selection of List1/List2, the operation in force) and in command-line mode (every listed entry,
// the operation from CommandArgs), and the refills of the two lists from disk.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/journal.h"
#include "batch/outcome.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "engine/mode_switch.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace kestro {

class BatchRenamer {
 public:
  // Called before each entry with the entries done so far and the total; returning false stops
  // the batch before that entry (what was renamed stays renamed and is in the report). While the
  // new names are computed, before the first rename, it is also called now and then with none
  // done when that takes long (an expression near its match limit on many names).
  using ProgressHook = std::function<bool(std::size_t done, std::size_t total)>;

  BatchRenamer(WindowState& state, FileSystem& fs, const Clock& clock, UiHost& ui);

  BatchReport Command2_Click();   // directories
  BatchReport Command9_Click();   // files
  BatchReport Command10_Click();  // "Rename!": by TargetKind

  // Refill List1 from the sub-directories of dirs_folder / List2 from the files of files_folder
  // that file_mask selects; nothing selected afterwards. A folder that cannot be read leaves an
  // empty list and returns its reason.
  Status Dir2_Change();
  Status File1_PathChange();
  // As Dir2_Change (`directories`) or File1_PathChange, from `names`: the page's folder as it was
  // just read (ListFolder with file_mask), so it is not read again.
  void ShowListed(bool directories, std::vector<std::string> names);
  // What the last File1_PathChange met: a folder that could not be listed.
  [[nodiscard]] const Status& files_listed() const { return files_listed_; }

  void SetProgressHook(ProgressHook hook);
  // Called with each entry's place in the batch before its new name is computed (so a message
  // that computing it shows comes after the call). The new names of a batch are all computed
  // before the first rename, so the journal holds every rename before any is made.
  void SetNameHook(std::function<void(std::size_t index)> hook) { name_hook_ = std::move(hook); }
  // Every batch from now on writes its journal there, so it can be undone (none: no journal).
  void SetJournal(JournalFolder* journal) { journal_ = journal; }
  // Hands each entry's outcome to `sink` as soon as the entry is taken, instead of keeping it in
  // the report, which then counts the entries by kind (BatchReport::passed_on): a batch of a
  // million entries need not hold a million outcomes. None: the report keeps every entry.
  void SetEntrySink(std::function<void(EntryOutcome)> sink) { sink_ = std::move(sink); }

 private:
  // The new name of the entry `name` at 0-based `index` of the batch; no value: none computed,
  // and when `failure` is set the entry keeps its name for that reason.
  using NewNameFn = std::function<std::optional<std::string>(
      const std::string& name, std::size_t index, std::string* failure)>;

  // Field "A:" of the Replace page must be filled, and with "Regular expression" compile; if
  // not, its message and the focus move.
  bool ReplaceFieldFilled();
  BatchReport WindowBatch(const std::string& folder, const SelectableList& list);
  BatchReport CommandLineBatch(BatchTarget target);
  // The Numbering operation on `names`, counted in the order the Numbering page chooses.
  BatchReport NumberedEntries(const std::string& folder, std::vector<std::string> names);
  BatchReport RejectCommandLine();
  // Renames `names` in `folder`, one pass in order, asking the progress hook before each; the
  // new names are computed first, so the journal holds every rename before the first is made.
  BatchReport RunEntries(const std::string& folder, std::vector<std::string> names,
                         const NewNameFn& new_name);
  // Keeps `outcome` in `report`, or hands it to the sink and counts it.
  void Pass(BatchReport& report, EntryOutcome outcome) const;

  WindowState& state_;
  FileSystem& fs_;
  const Clock& clock_;
  UiHost& ui_;
  ProgressHook progress_;
  std::function<void(std::size_t)> name_hook_;
  JournalFolder* journal_ = nullptr;
  std::function<void(EntryOutcome)> sink_;
  Status files_listed_;
};

}  // namespace kestro
