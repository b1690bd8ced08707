// UndoCommand and UndoListCommand.
#include "cli/undo_command.h"

#include "batch/simulated_folder.h"
#include "batch/undo.h"
#include "batch/undo_text.h"
#include "cli/command_line_mode.h"
#include "engine/printable_text.h"

namespace kestro {
namespace {

void ErrorLine(const std::string& text, std::ostream& err) {
  err << "kestro: " + PrintableText(text) + "\n";
}

bool NoJournalFolder(const JournalFolder& journal, std::ostream& err) {
  if (journal.unavailable().empty()) return false;
  ErrorLine("no journal to undo from: " + journal.unavailable(), err);
  return true;
}

}  // namespace

int UndoCommand(FileSystem& fs, const JournalFolder& journal, bool dry_run, std::ostream& out,
                std::ostream& err) {
  if (NoJournalFolder(journal, err)) return kExitEntriesKept;
  Journal newest;
  if (Status found = NewestToUndo(fs, journal, &newest); !found.ok()) {
    ErrorLine(found.message(), err);
    return kExitEntriesKept;
  }
  ErrorLine((dry_run ? "would take back " : "taking back ") + UndoSubject(newest), err);
  err.flush();
  DryRunFileSystem copy(fs);
  FileSystem& target = dry_run ? static_cast<FileSystem&>(copy) : fs;
  CommandLineRun run;
  run.report = UndoJournal(target, newest);
  if (dry_run) {
    out << PrintableText("'" + newest.folder + "':") << '\n';
    WriteDryRunLines(run, out);
  } else if (Status noted = NoteUndo(journal, newest, *run.report); !noted.ok()) {
    ErrorLine(noted.message(), err);
  }
  WriteErrorLines(run, err);
  return ExitStatus(run);
}

int UndoListCommand(const JournalFolder& journal, std::ostream& out, std::ostream& err) {
  if (NoJournalFolder(journal, err)) return kExitEntriesKept;
  for (const std::string& path : journal.Files()) {
    Journal kept;
    if (Status read = journal.Read(path, &kept); !read.ok()) {
      ErrorLine("journal '" + path + "' left out: " + read.message(), err);
      continue;
    }
    std::string when = LocalTimeText(kept.begun);
    if (when.empty()) when = "unknown time";
    const std::size_t entries = kept.ToTakeBack();
    std::string line = when + "  '" + kept.folder + "'  " + std::to_string(entries) +
                       (entries == 1 ? " entry" : " entries");
    if (kept.origin == Journal::Origin::kWindow) line += " in the window";
    if (kept.origin == Journal::Origin::kCommandLine) line += " from the command line";
    line += kept.undone ? ", taken back" : ", not taken back";
    out << PrintableText(line) << '\n';
  }
  out.flush();
  err.flush();
  return kExitDone;
}

}  // namespace kestro
