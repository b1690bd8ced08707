// What a call of the program asks for, and the program run without a window: the command line,
// its dry run, undo and the help, with no window toolkit, so it starts like a small tool.
#pragma once

#include <ostream>
#include <string>

#include "batch/journal.h"
#include "batch/window_state.h"
#include "engine/command_args.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

namespace kestro {

// Windows can be shown when DISPLAY or WAYLAND_DISPLAY is set and not empty (either may be null).
[[nodiscard]] bool DisplayAvailable(const char* display, const char* wayland_display);

// The program's own options stand as the first word: "--undo" (then perhaps "--dry-run") takes
// back the newest batch of the journal, "--undo --list" lists the kept journals; "--dry-run" runs
// the words after it as the command line would, changing nothing; "--window <folder>" is the main
// window opened on that folder. Any other words are a command line; none at all is the main window.
// A program option further on is refused (nothing renamed, the help with a line saying where it
// belongs), except where the grammar takes its word as text (the two words of "-R"), and except a
// "--dry-run" where the grammar ignores the word (after the switch's words), which makes the call
// a dry run. "/?", "-?" and "?" count as a help request there only in the places of the target,
// the switch and the ignored words; elsewhere they are what the grammar reads them as (a mask).
struct ProgramCall {
  enum class Kind { kWindow, kRun, kDryRun, kUndo, kHelp };
  Kind kind = Kind::kWindow;
  CommandWords words;    // the command line of kRun and kDryRun, its folder first
  bool dry_run = false;  // kUndo: only say what it would do
  std::string folder;    // kWindow: the folder to open ("--window <folder>"); empty: LastDir's
  std::string refusal;   // kHelp: why the call is refused, one line for a person; may be empty
  bool list = false;     // kUndo: list the kept journals instead ("--undo --list")
};
[[nodiscard]] ProgramCall ReadProgramCall(const CommandWords& words);

struct HeadlessServices {
  FileSystem& fs;
  SettingsStore& settings;
  const Clock& clock;
  JournalFolder* journal = nullptr;  // where batches are recorded to be undone (none: nowhere)
};

// The program-wide state a call starts from: the Directories page, the Rename operation, no
// command line.
void ResetForCall(WindowState& state);

// The program without a display: messages go to `err` as "kestro: <text>", the help to `out`;
// no window, no splash, the Splash setting left alone, and it never waits. A call for the window
// says there is no display to show it on. Returns the exit status.
int RunHeadless(const CommandWords& words, WindowState& state, const HeadlessServices& services,
                std::ostream& out, std::ostream& err);

}  // namespace kestro
