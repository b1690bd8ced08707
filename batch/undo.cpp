// Undo of a batch from its journal: every renamed entry back to its old name, last first.
#include "batch/undo.h"

#include <set>
#include <utility>
#include <vector>

namespace kestro {

UndoReport UndoJournal(FileSystem& fs, const Journal& journal) {
  UndoReport report;
  report.folder = journal.folder;
  // What the folder holds decides the renames the journal left open; it is read only for them.
  std::set<std::string> present;
  bool present_read = false;
  const auto made = [&](const JournalEntry& entry) {
    if (entry.made != JournalEntry::Made::kUnknown) return entry.made == JournalEntry::Made::kYes;
    if (!present_read) {
      std::vector<std::string> names;
      if (!fs.ListAllNames(journal.folder, &names).ok()) {
        fs.ListNames(journal.folder, EntryKind::kFile, &names);
        std::vector<std::string> directories;
        fs.ListNames(journal.folder, EntryKind::kDirectory, &directories);
        names.insert(names.end(), directories.begin(), directories.end());
      }
      present.insert(names.begin(), names.end());
      present_read = true;
    }
    return present.count(entry.new_name) != 0 && present.count(entry.old_name) == 0;
  };
  // Last first: in a chain renamed a -> b after b -> c, b must be free again before a gets it.
  std::vector<const JournalEntry*> back;
  for (auto it = journal.entries.rbegin(); it != journal.entries.rend(); ++it) {
    if (made(*it)) back.push_back(&*it);
  }
  report.ran = !back.empty();
  report.entries.reserve(back.size());
  RenameRun run(fs, journal.folder);
  for (const JournalEntry* entry : back) {
    EntryOutcome outcome;
    outcome.old_name = entry->new_name;
    outcome.new_name = entry->old_name;
    const Status status = fs.RenameNoReplace(journal.folder, outcome.old_name, outcome.new_name);
    if (!status.ok()) {
      outcome.kind = EntryOutcome::Kind::kKept;
      outcome.reason = status.message();
    }
    report.entries.push_back(std::move(outcome));
  }
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
