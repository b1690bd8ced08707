// DisplayAvailable, ReadProgramCall and RunHeadless.
#include "cli/headless.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/command_line_mode.h"
#include "cli/help_texts.h"
#include "cli/stream_ui_host.h"
#include "cli/undo_command.h"
#include "engine/command_args.h"
#include "engine/mode_switch.h"

namespace kestro {

bool DisplayAvailable(const char* display, const char* wayland_display) {
  const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
  return set(display) || set(wayland_display);
}

namespace {

constexpr std::string_view kDryRun = "--dry-run";
constexpr std::string_view kUndo = "--undo";
constexpr std::string_view kWindow = "--window";

bool IsProgramOption(std::string_view word) {
  return word == kDryRun || word == kUndo || word == kWindow || word == "--help";
}

// The line that refuses a program option standing at `word`.
std::string MustStandFirst(const std::string& word) {
  if (word == kUndo) return "'--undo' must stand first: kestro --undo [--dry-run]";
  if (word == kWindow) return "'--window' must stand first: kestro --window <folder>";
  if (word == kDryRun) {
    return "'--dry-run' must stand first, or last after the switch's words: "
           "kestro --dry-run <path> <mode> <options>";
  }
  return "'" + word + "' must stand alone: kestro --help";
}

// Reads the program options among the words of a command line (its folder first): the line that
// refuses the first one standing where it does not belong, or empty; `dry_run` is set by a
// "--dry-run" among the words the grammar ignores.
std::string MisplacedOption(const CommandWords& line, bool& dry_run) {
  const std::vector<WordPlace> places = WordPlaces(line);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const std::string& word = line[i];
    const WordPlace place = places[i];
    if (IsProgramOption(word)) {
      // In the folder's place (after a first "--dry-run") "--help" is the command line's own
      // help request.
      if (place == WordPlace::kText || (place == WordPlace::kFolder && word == "--help")) continue;
      if (place == WordPlace::kIgnored && word == kDryRun) {
        dry_run = true;
        continue;
      }
      return MustStandFirst(word);
    }
    if (IsHelpRequest(word) && (place == WordPlace::kTarget || place == WordPlace::kSwitch ||
                                place == WordPlace::kIgnored)) {
      return MustStandFirst(word);
    }
  }
  return "";
}

}  // namespace

ProgramCall ReadProgramCall(const CommandWords& words) {
  using Kind = ProgramCall::Kind;
  const auto word = [&words](std::size_t n) -> std::string_view {
    return n <= words.size() ? std::string_view(words[n - 1]) : std::string_view();
  };
  if (word(1) == kUndo && word(2) == "--list" && word(3).empty()) {
    ProgramCall call{Kind::kUndo, {}, false, {}, {}};
    call.list = true;
    return call;
  }
  if (word(1) == kUndo || (word(1) == kDryRun && word(2) == kUndo)) {
    const bool dry_run = word(1) == kDryRun || word(2) == kDryRun;
    if (!word(3).empty() || (!dry_run && !word(2).empty())) return {Kind::kHelp, {}, false, {}, {}};
    return {Kind::kUndo, {}, dry_run, {}, {}};
  }
  if (word(1) == kWindow) {
    if (word(2).empty() || !word(3).empty()) return {Kind::kHelp, {}, false, {}, {}};
    return {Kind::kWindow, {}, false, std::string(word(2)), {}};
  }
  if (words.empty()) return {Kind::kWindow, {}, false, {}, {}};
  const bool dry_run_first = word(1) == kDryRun;
  CommandWords line(words.begin() + (dry_run_first ? 1 : 0), words.end());
  if (line.empty()) return {Kind::kHelp, {}, false, {}, {}};
  bool dry_run = dry_run_first;
  std::string refusal = MisplacedOption(line, dry_run);
  if (!refusal.empty()) return {Kind::kHelp, {}, false, {}, std::move(refusal)};
  return {dry_run ? Kind::kDryRun : Kind::kRun, std::move(line), false, {}, {}};
}

void ResetForCall(WindowState& state) {
  state.TargetKind = true;
  state.active_operation = ActiveOperation::Rename;
  state.WrongCommand = false;
  state.args = CommandArgs{};
  state.command_line.clear();
}

int RunHeadless(const CommandWords& words, WindowState& state, const HeadlessServices& services,
                std::ostream& out, std::ostream& err) {
  ResetForCall(state);
  const auto help = [&out] {
    out << HeadlessHelp();
    out.flush();
    return kExitWrongCommand;
  };
  const ProgramCall call = ReadProgramCall(words);
  switch (call.kind) {
    case ProgramCall::Kind::kHelp:
      if (!call.refusal.empty()) err << "kestro: " << call.refusal << '\n';
      return help();
    case ProgramCall::Kind::kWindow:
      err << "kestro: no display to show the window on\n";
      return help();
    case ProgramCall::Kind::kUndo:
      if (services.journal == nullptr) {
        err << "kestro: no journal to undo from\n";
        return kExitEntriesKept;
      }
      if (call.list) return UndoListCommand(*services.journal, out, err);
      return UndoCommand(services.fs, *services.journal, call.dry_run, out, err);
    case ProgramCall::Kind::kRun:
    case ProgramCall::Kind::kDryRun:
      break;
  }
  StreamUiHost ui(err);
  const CommandLineRun run = RunCommandWords(
      call.words, state, services.fs, services.settings, services.clock, ui, services.journal,
      call.kind == ProgramCall::Kind::kDryRun, out, err, EntryLines::kAsTaken);
  return run.wrong_command ? help() : ExitStatus(run);
}

}  // namespace kestro
