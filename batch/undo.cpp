// Undo of the last window batch: every renamed entry back to its old name, last first.
#include "batch/undo.h"

#include <utility>

namespace kestro {

void LastBatch::Remember(const BatchReport& report) {
  Forget();
  folder_ = report.folder;
  for (const EntryOutcome& entry : report.entries) {
    if (entry.kind == EntryOutcome::Kind::kDone)
      renamed_.push_back(Renamed{entry.old_name, entry.new_name});
  }
}

void LastBatch::Forget() {
  folder_.clear();
  renamed_.clear();
}

UndoReport LastBatch::Undo(FileSystem& fs) {
  UndoReport report;
  report.folder = folder_;
  report.ran = !renamed_.empty();
  report.entries.reserve(renamed_.size());
  // Last first: in a chain renamed a -> b after b -> c, b must be free again before a gets it.
  for (auto it = renamed_.rbegin(); it != renamed_.rend(); ++it) {
    EntryOutcome outcome;
    outcome.old_name = std::move(it->new_name);
    outcome.new_name = std::move(it->old_name);
    const Status status = fs.RenameNoReplace(folder_, outcome.old_name, outcome.new_name);
    if (!status.ok()) {
      outcome.kind = EntryOutcome::Kind::kKept;
      outcome.reason = status.message();
    }
    report.entries.push_back(std::move(outcome));
  }
  Forget();
  return report;
}

std::string DescribeUndo(const UndoReport& report, std::size_t max_reasons) {
  if (!report.ran) return "Nothing to undo.";
  const std::size_t total = report.entries.size();
  const std::size_t back = report.Count(EntryOutcome::Kind::kDone);
  std::string text = "Undo: " + std::to_string(back) + " of " + std::to_string(total) +
                     (total == 1 ? " entry" : " entries") +
                     (back == 1 ? " has its old name back" : " have their old names back");
  if (back < total) {
    text += "; " + std::to_string(total - back) + " could not go back: ";
    std::size_t shown = 0;
    for (const EntryOutcome& entry : report.entries) {
      if (entry.kind == EntryOutcome::Kind::kDone) continue;
      if (shown == max_reasons) break;
      text += (shown > 0 ? "; '" : "'") + entry.old_name + "' to '" + entry.new_name +
              "': " + entry.reason;
      ++shown;
    }
    if (total - back > shown) text += "; and " + std::to_string(total - back - shown) + " more";
  }
  return text + ".";
}

}  // namespace kestro
