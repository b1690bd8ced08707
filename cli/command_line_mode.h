// The command-line mode: the words of a command line as CommandArgs, the lists pointed at the
// folder of word 1, the batch of the target, and what the run's exit status is made from.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "batch/batch_renamer.h"
#include "batch/journal.h"
#include "batch/outcome.h"
#include "batch/window_state.h"
#include "engine/command_args.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

namespace kestro {

// Exit statuses of a command-line run.
inline constexpr int kExitDone = 0;          // right command line, every entry has its new name
inline constexpr int kExitEntriesKept = 1;   // right command line, some entries kept their names
inline constexpr int kExitWrongCommand = 2;  // wrong command line or a help request

struct CommandLineRun {
  bool wrong_command = false;  // WrongCommand at the end of the run: the help is to be shown
  bool folder_found = false;   // word 1 named an existing folder
  std::string folder;          // its absolute form
  // Why word 1 could not be used ("'WORD1': REASON"; a help request gets the help alone).
  std::string folder_error;
  // Why the entries of the folder could not be listed ("'FOLDER': REASON"), when they could not:
  // nothing is renamed, and the run does not count as done.
  std::string list_error;
  std::optional<BatchReport> report;  // the batch of the target, when one ran
  // Why a command line whose folder could be used is wrong, in one line ("unknown switch '-Q'",
  // CommandLineFault); empty where a message of the batch said it already.
  std::string fault;
  // Why the settings (LastDir) could not be read or kept, when they could not; the file is left
  // as it was, and the batch runs all the same.
  std::string settings_error;
};

// Runs one command line over the window model. A word 1 that names no existing folder is a wrong
// command line and no batch runs, so nothing outside that folder is ever renamed. A target other
// than "-D" and "-F" runs the file batch with word 3 as the mask and is then a wrong command line.
class CommandLineMode {
 public:
  CommandLineMode(WindowState& state, BatchRenamer& batch, FileSystem& fs, SettingsStore& settings);

  // `words` are the command line's, word 1 first, the program's own options taken away.
  CommandLineRun Run(const CommandWords& words);

 private:
  WindowState& state_;
  BatchRenamer& batch_;
  FileSystem& fs_;
  SettingsStore& settings_;
};

// When the lines about each entry (errors; a dry run's renames) are written: all after the run,
// from the report, or each as the batch takes its entry, the report then keeping only their
// counts (BatchReport::passed_on), so a batch of a million entries holds no outcome. The lines
// are the same either way.
enum class EntryLines { kAfterTheRun, kAsTaken };

// One command line as the program runs it: renaming for real, with the batch in `journal` (may
// be null), or with `dry_run` in a copy of the folder's names, with settings that go nowhere and
// no journal, the lines of what it would rename on `out`. The error lines go to `err`.
CommandLineRun RunCommandWords(const CommandWords& words, WindowState& state, FileSystem& fs,
                               SettingsStore& settings, const Clock& clock, UiHost& ui,
                               JournalFolder* journal, bool dry_run, std::ostream& out,
                               std::ostream& err,
                               EntryLines entry_lines = EntryLines::kAfterTheRun);

// 2 for a wrong command line; else 1 when the folder could not be listed or an entry kept its
// name (refused, failed, or no name could be computed); else 0 (nothing to rename counts as done).
[[nodiscard]] int ExitStatus(const CommandLineRun& run);

// The folder that could not be used, "kestro: cannot use folder 'WORD1': REASON", or listed,
// "kestro: cannot list folder 'FOLDER': REASON", and one line per entry whose rename was refused
// or failed, "kestro: cannot rename 'OLD' to 'NEW': REASON"; control characters in them written
// out. Entries that got no name are reported by the message that said why, when it was shown. A
// batch whose journal could not be written says once that it cannot be undone, settings that
// could not be kept say so once too. Last, a wrong command line's fault: "kestro: unknown switch
// '-Q'".
void WriteErrorLines(const CommandLineRun& run, std::ostream& err);

// What a dry run shows on standard output: "'OLD' -> 'NEW'" for each entry the run renames, in
// batch order, control characters written out as in the error lines.
void WriteDryRunLines(const CommandLineRun& run, std::ostream& out);

}  // namespace kestro
