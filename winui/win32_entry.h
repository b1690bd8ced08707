// The program's entry on Windows: the command line with its messages in message boxes and its
// help in the help window, or, without arguments, the main window; the splash on a user's first
// start. Everything is Win32, over the same Qt-free model as the Linux window.
#pragma once

#include <windows.h>

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "batch/journal.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "engine/command_args.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

namespace kestro {

class Form1Window;
class HelpWindow;
class SplashWindow;

struct Win32EntryServices {
  FileSystem& fs;
  SettingsStore& settings;
  const Clock& clock;
  DocumentOpener& opener;
  JournalFolder* journal = nullptr;  // where batches are recorded to be undone (none: nowhere)
  UiHost* messages = nullptr;        // the messages (none: message boxes)
  std::string user_guide;            // the guide Help and Userguide open
};

class Win32Entry {
 public:
  // `out` and `err` stand for standard output and error (a dry run's lines, the error lines).
  Win32Entry(Win32EntryServices services, std::ostream& out, std::ostream& err);
  ~Win32Entry();
  Win32Entry(const Win32Entry&) = delete;
  Win32Entry& operator=(const Win32Entry&) = delete;

  // The entry procedure over the call's words (ReadProgramCall): the exit status when the program
  // ends at once; no value when it goes on in the message loop until its windows are closed.
  std::optional<int> Start(const CommandWords& words);
  // The exit status after the message loop ended with `loop_status`.
  [[nodiscard]] int StatusAfterLoop(int loop_status) const;

  [[nodiscard]] Form1Window* main_window() const { return main_window_.get(); }
  [[nodiscard]] HelpWindow* help_window() const { return help_window_.get(); }
  [[nodiscard]] SplashWindow* splash() const { return splash_.get(); }

 private:
  void ShowSplashOnFirstStart();
  std::optional<int> RunCommandLine(const CommandWords& words, bool dry_run);
  std::optional<int> ShowHelp();
  void KeepSplashOnTop();
  // What a command line wrote (`said` for standard output, `errors` for standard error): passed
  // on to the streams and, as nobody may see them there, shown in a message box.
  void ShowText(const std::string& said, const std::string& errors);
  UiHost& Messages();

  Win32EntryServices services_;
  std::ostream& out_;
  std::ostream& err_;
  WindowState state_;
  std::unique_ptr<UiHost> own_messages_;
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<HelpWindow> help_window_;
  std::unique_ptr<Form1Window> main_window_;
};

// Runs the message loop until the program's last window asks to quit; returns its status.
// `keys` sees each message first and returns true for one it has handled.
int RunWin32MessageLoop(const std::function<bool(const MSG&)>& keys = {});
// What the loop does with one message: `keys` first, then the dialog keys of the window in front
// (Tab, Shift+Tab, the arrows, Enter, Esc), then the window it is for.
void DispatchWin32Message(const MSG& message, const std::function<bool(const MSG&)>& keys = {});

// The whole program on Windows: its own services (the native file system, the registry, the
// clock, the shell's document opener, the journal), then Win32Entry on `words`, which the program
// read from its command line once (ArgumentWords). Returns the exit status.
int RunWin32Entry(const CommandWords& words);

}  // namespace kestro
