#include "cli/command_line_mode.h"

#include "batch/pickers.h"
#include "batch/simulated_folder.h"
#include "engine/command_args.h"
#include "engine/mode_switch.h"
#include "engine/printable_text.h"
#include "engine/utf8_text.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

// "'FOLDER': REASON" for a listing that failed: its message names the folder already ("cannot open
// folder 'FOLDER': REASON"), so only the system's reason is kept.
std::string ListError(const std::string& folder, const Status& status) {
  const std::string& message = status.message();
  const std::size_t named = message.find("'" + folder + "': ");
  const std::size_t reason = named == std::string::npos ? 0 : named + folder.size() + 4;
  return "'" + folder + "': " + message.substr(reason);
}

// One line on `err`, written in one piece: an unbuffered stream makes one write of it.
void ErrorLine(const std::string& text, std::ostream& err) {
  err << "kestro: " + PrintableText(text) + "\n";
}

void WriteKeptLine(const EntryOutcome& entry, std::ostream& err) {
  if (entry.kind != EntryOutcome::Kind::kKept) return;
  // An entry that got no new name at all (an expression's match limit) has none to show; an
  // empty new name that was refused is shown as the one asked for.
  if (entry.new_name.empty() && entry.reason != kNewNameEmpty) {
    ErrorLine("cannot rename '" + entry.old_name + "': " + entry.reason, err);
    return;
  }
  ErrorLine("cannot rename '" + entry.old_name + "' to '" + entry.new_name + "': " + entry.reason,
            err);
}

void WriteDryRunLine(const EntryOutcome& entry, std::ostream& out) {
  if (entry.kind != EntryOutcome::Kind::kDone) return;
  out << PrintableText("'" + entry.old_name + "' -> '" + entry.new_name + "'") << '\n';
}

}  // namespace

CommandLineMode::CommandLineMode(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                                 SettingsStore& settings)
    : state_(state), batch_(batch), fs_(fs), settings_(settings) {}

CommandLineRun CommandLineMode::Run(const CommandWords& words) {
  CommandLineRun run;
  // Not empty whenever there is a word, even one empty word: the batches read the command line.
  state_.command_line = JoinArguments(words);
  state_.args = CommandArgsOf(words);
  const bool help_request = words.size() == 1 && IsHelpRequest(words[0]);
  state_.WrongCommand = help_request;
  if (words.empty()) {
    state_.WrongCommand = run.wrong_command = true;
    return run;
  }

  // An empty word 1 would otherwise resolve to the working folder.
  const std::string& word1 = state_.args[1];
  const Status found = word1.empty() ? Status::Error(Status::Code::kNotFound, "no folder given")
                                     : fs_.AbsoluteFolder(word1, &run.folder);
  if (!found.ok()) {
    if (!help_request) run.folder_error = "'" + word1 + "': " + found.message();
    state_.WrongCommand = true;
    run.wrong_command = true;
    run.folder.clear();
    return run;
  }
  run.folder_found = true;

  // Both pages on the folder of word 1, which is stored as LastDir. The run lists only what it
  // reads, once: the sub-directories for -D, the files for any other target (the batch lists
  // them itself, with its mask).
  state_.files_folder = run.folder;
  state_.dirs_folder = run.folder;
  state_.args[2] = ToUpper(state_.args[2]);
  const std::string& target = state_.args[2];
  if (target != "-F" && target != "-D") state_.WrongCommand = true;

  Status listed;
  if (target == "-D") {
    listed = ChooseDirectoriesFolder(state_, batch_, fs_, settings_, run.folder);
    // A folder that exists but cannot be listed is still the one the user named.
    if (!listed.ok())
      settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, run.folder);
    state_.List1.SelectAll(true);
    run.report = batch_.Command2_Click();
  } else {
    settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, run.folder);
    run.report = batch_.Command9_Click();
    listed = batch_.files_listed();
  }
  if (!listed.ok()) run.list_error = ListError(run.folder, listed);
  if (const Status kept = settings_.KeepStatus(); !kept.ok()) run.settings_error = kept.message();
  run.wrong_command = state_.WrongCommand;
  if (run.wrong_command && !help_request) run.fault = CommandLineFault(state_.args);
  return run;
}

CommandLineRun RunCommandWords(const CommandWords& words, WindowState& state, FileSystem& fs,
                               SettingsStore& settings, const Clock& clock, UiHost& ui,
                               JournalFolder* journal, bool dry_run, std::ostream& out,
                               std::ostream& err, EntryLines entry_lines) {
  DryRunFileSystem copy(fs);
  MemorySettingsStore no_settings;
  FileSystem& used = dry_run ? static_cast<FileSystem&>(copy) : fs;
  BatchRenamer batch(state, used, clock, ui);
  if (!dry_run) batch.SetJournal(journal);
  // The lines about an entry come out as it is taken. Those about the folder come before any
  // entry's: a folder that cannot be used or listed gives the batch no entries.
  if (entry_lines == EntryLines::kAsTaken) {
    batch.SetEntrySink([&out, &err, dry_run](const EntryOutcome& entry) {
      if (dry_run) WriteDryRunLine(entry, out);
      WriteKeptLine(entry, err);
    });
  }
  CommandLineMode mode(state, batch, used,
                       dry_run ? static_cast<SettingsStore&>(no_settings) : settings);
  const CommandLineRun run = mode.Run(words);
  if (dry_run) WriteDryRunLines(run, out);
  WriteErrorLines(run, err);
  return run;
}

int ExitStatus(const CommandLineRun& run) {
  if (run.wrong_command) return kExitWrongCommand;
  if (!run.list_error.empty()) return kExitEntriesKept;
  if (run.report.has_value() && (run.report->Count(EntryOutcome::Kind::kKept) > 0 ||
                                 run.report->Count(EntryOutcome::Kind::kNoName) > 0)) {
    return kExitEntriesKept;
  }
  return kExitDone;
}

void WriteErrorLines(const CommandLineRun& run, std::ostream& err) {
  if (!run.folder_error.empty()) ErrorLine("cannot use folder " + run.folder_error, err);
  if (!run.list_error.empty()) ErrorLine("cannot list folder " + run.list_error, err);
  if (!run.settings_error.empty()) {
    ErrorLine("the settings cannot be kept: " + run.settings_error, err);
  }
  if (run.report.has_value()) {
    for (const EntryOutcome& entry : run.report->entries) WriteKeptLine(entry, err);
    if (!run.report->journal_error.empty()) {
      ErrorLine("the batch cannot be undone: " + run.report->journal_error, err);
    }
  }
  if (!run.fault.empty()) ErrorLine(run.fault, err);
  err.flush();
}

void WriteDryRunLines(const CommandLineRun& run, std::ostream& out) {
  if (run.report.has_value()) {
    for (const EntryOutcome& entry : run.report->entries) WriteDryRunLine(entry, out);
  }
  out.flush();
}

}  // namespace kestro
