// DisplayAvailable, ReadProgramCall and RunHeadless.
#include "cli/headless.h"

#include <algorithm>

#include "cli/command_line_mode.h"
#include "cli/help_texts.h"
#include "cli/stream_ui_host.h"
#include "cli/undo_command.h"
#include "engine/command_args.h"

namespace kestro {

bool DisplayAvailable(const char* display, const char* wayland_display) {
  const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
  return set(display) || set(wayland_display);
}

ProgramCall ReadProgramCall(std::string_view argument_text) {
  using Kind = ProgramCall::Kind;
  constexpr std::string_view kDryRun = "--dry-run";
  const CommandArgs words = SplitCommandArgs(argument_text);
  if (words[1] == "--undo" && words[2] == "--list" && words[3].empty()) {
    ProgramCall call{Kind::kUndo, {}, false, {}};
    call.list = true;
    return call;
  }
  if (words[1] == "--undo" || (words[1] == kDryRun && words[2] == "--undo")) {
    const bool dry_run = words[1] == kDryRun || words[2] == kDryRun;
    if (!words[3].empty() || (!dry_run && !words[2].empty())) return {Kind::kHelp, {}, false, {}};
    return {Kind::kUndo, {}, dry_run, {}};
  }
  if (words[1] == "--window") {
    if (words[2].empty() || !words[3].empty()) return {Kind::kHelp, {}, false, {}};
    return {Kind::kWindow, {}, false, words[2]};
  }
  if (words[1] == kDryRun && argument_text.starts_with(kDryRun)) {
    const std::string_view rest =
        argument_text.substr(std::min(argument_text.size(), kDryRun.size() + 1));
    if (rest.empty()) return {Kind::kHelp, {}, false, {}};
    return {Kind::kDryRun, rest, false, {}};
  }
  if (argument_text.empty()) return {Kind::kWindow, {}, false, {}};
  return {Kind::kRun, argument_text, false, {}};
}

void ResetForCall(WindowState& state) {
  state.TargetKind = true;
  state.active_operation = ActiveOperation::Rename;
  state.WrongCommand = false;
  state.args = CommandArgs{};
  state.command_line.clear();
}

int RunHeadless(std::string_view argument_text, WindowState& state,
                const HeadlessServices& services, std::ostream& out, std::ostream& err) {
  ResetForCall(state);
  const auto help = [&out] {
    out << HeadlessHelp();
    out.flush();
    return kExitWrongCommand;
  };
  const ProgramCall call = ReadProgramCall(argument_text);
  switch (call.kind) {
    case ProgramCall::Kind::kHelp:
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
  const CommandLineRun run = RunArgumentText(
      call.text, state, services.fs, services.settings, services.clock, ui, services.journal,
      call.kind == ProgramCall::Kind::kDryRun, out, err, EntryLines::kAsTaken);
  return run.wrong_command ? help() : ExitStatus(run);
}

}  // namespace kestro
