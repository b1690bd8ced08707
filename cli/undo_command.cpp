#include "cli/undo_command.h"

#include "batch/simulated_folder.h"
#include "batch/undo.h"
#include "cli/command_line_mode.h"
#include "engine/printable_text.h"

namespace kestro {

int UndoCommand(FileSystem& fs, const JournalFolder& journal, bool dry_run, std::ostream& out,
                std::ostream& err) {
  Journal newest;
  if (Status found = journal.Newest(&newest); !found.ok()) {
    err << "kestro: " << PrintableText(found.message()) << '\n';
    return kExitEntriesKept;
  }
  DryRunFileSystem copy(fs);
  FileSystem& target = dry_run ? static_cast<FileSystem&>(copy) : fs;
  CommandLineRun run;
  run.report = UndoJournal(target, newest);
  if (dry_run) {
    WriteDryRunLines(run, out);
  } else if (Status marked = journal.MarkUndone(newest); !marked.ok()) {
    err << "kestro: " << PrintableText(marked.message()) << '\n';
  }
  WriteErrorLines(run, err);
  return ExitStatus(run);
}

}  // namespace kestro
