// Undo of the last window batch: the entries it renamed go back to their old names, last first,
// with the same no-replace rename. Held in memory only; the command line has none.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "batch/outcome.h"
#include "platform/file_system.h"

namespace kestro {

// What an undo did: per renamed entry of the batch, last first, whether it got its old name
// back. In each EntryOutcome old_name is the name it had after the batch and new_name the name
// it goes back to; kDone, or kKept with the reason (its old name was taken meanwhile, it has
// vanished, ...).
using UndoReport = BatchReport;

class LastBatch {
 public:
  // Remembers the entries `report` renamed (kDone), replacing what was remembered before. A
  // batch that renamed nothing leaves nothing to undo.
  void Remember(const BatchReport& report);
  void Forget();
  [[nodiscard]] bool CanUndo() const { return !renamed_.empty(); }
  [[nodiscard]] std::size_t size() const { return renamed_.size(); }

  // Renames every remembered entry back, in the reverse of the batch's order, and forgets the
  // batch (an entry that could not go back is reported, not kept for another try).
  UndoReport Undo(FileSystem& fs);

 private:
  struct Renamed {
    std::string old_name;
    std::string new_name;
  };
  std::string folder_;
  std::vector<Renamed> renamed_;
};

// The status line after an undo, e.g. "Undo: 3 of 4 entries have their old names back; 1 could
// not go back: 'b' to 'a': a file of that name exists." Reasons of at most `max_reasons` entries.
[[nodiscard]] std::string DescribeUndo(const UndoReport& report, std::size_t max_reasons = 3);

}  // namespace kestro
