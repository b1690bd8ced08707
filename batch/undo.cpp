// Undo of a batch from its journal: every renamed entry back to its old name, last first.
#include "batch/undo.h"

#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestro {

namespace {

// Decides the renames `journal` left open (made, or not known to be) from what its folder holds;
// the folder is read only when there is one.
void DecideOpenRenames(FileSystem& fs, Journal& journal) {
  std::set<std::string> present;
  bool present_read = false;
  for (JournalEntry& entry : journal.entries) {
    if (entry.made != JournalEntry::Made::kUnknown) continue;
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
    const bool made = present.count(entry.new_name) != 0 && present.count(entry.old_name) == 0;
    entry.made = made ? JournalEntry::Made::kYes : JournalEntry::Made::kNo;
  }
}

}  // namespace

Status NewestToUndo(FileSystem& fs, const JournalFolder& journals, Journal* journal) {
  for (const std::string& path : journals.Files()) {
    if (!journals.Read(path, journal).ok() || journal->undone) continue;
    DecideOpenRenames(fs, *journal);
    if (journal->ToTakeBack() > 0) return Status::Ok();
  }
  return Status::Error(Status::Code::kNotFound, "Nothing to undo.");
}

UndoReport UndoJournal(FileSystem& fs, const Journal& journal, const UndoProgress& progress) {
  UndoReport report;
  report.folder = journal.folder;
  Journal decided = journal;
  DecideOpenRenames(fs, decided);
  // Last first: in a chain renamed a -> b after b -> c, b must be free again before a gets it.
  std::vector<const JournalEntry*> back;
  for (auto it = decided.entries.rbegin(); it != decided.entries.rend(); ++it) {
    if (it->made == JournalEntry::Made::kYes) back.push_back(&*it);
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
  const bool all_back =
      !report.cancelled && report.Count(EntryOutcome::Kind::kDone) == report.planned;
  if (all_back) return journals.MarkUndone(journal);
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
