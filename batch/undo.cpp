// Undo of a batch from its journal: every renamed entry back to its old name, last first.
#include "batch/undo.h"

#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestro {

UndoReport UndoJournal(FileSystem& fs, const Journal& journal, const UndoProgress& progress) {
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
  report.planned = back.size();
  report.entries.reserve(back.size());
  RenameRun run(fs, journal.folder);
  for (const JournalEntry* entry : back) {
    if (progress && !progress(report.entries.size(), back.size())) {
      report.cancelled = true;
      break;
    }
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

Status NoteUndo(const JournalFolder& journals, const Journal& journal, const UndoReport& report) {
  if (!report.cancelled) return journals.MarkUndone(journal);
  // Each rename of a batch is one (old name, new name) pair; those that went back are noted as
  // not made, so the next undo leaves them be.
  std::unordered_map<std::string, std::size_t> index_of;
  for (std::size_t i = 0; i < journal.entries.size(); ++i) {
    index_of.emplace(journal.entries[i].old_name + '\0' + journal.entries[i].new_name, i);
  }
  std::vector<std::size_t> back;
  for (const EntryOutcome& outcome : report.entries) {
    if (outcome.kind != EntryOutcome::Kind::kDone) continue;
    const auto it = index_of.find(outcome.new_name + '\0' + outcome.old_name);
    if (it != index_of.end()) back.push_back(it->second);
  }
  return journals.MarkNotMade(journal, back);
}

}  // namespace kestro
