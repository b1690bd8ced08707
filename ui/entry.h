// The program's entry procedure (Module12): the initial program-wide state, the splash window on
// a user's first start, and the choice of front end, the command line or the main window.
#pragma once

#include <memory>
#include <optional>
#include <ostream>

#include "batch/journal.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "cli/first_start.h"
#include "cli/headless.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

class QWidget;

namespace kestro {

class Form3;
class SplashWindow;

struct EntryServices {
  FileSystem& fs;
  SettingsStore& settings;
  const Clock& clock;
  DocumentOpener& opener;
  JournalFolder* journal = nullptr;  // where batches are recorded to be undone (none: nowhere)
};

class Module12 {
 public:
  // `out` and `err` stand for standard output and error. `messages` shows the batches' messages
  // when there is a display; message boxes when null. Everything must outlive the object.
  Module12(EntryServices services, std::ostream& out, std::ostream& err,
           UiHost* messages = nullptr);
  ~Module12();
  Module12(const Module12&) = delete;
  Module12& operator=(const Module12&) = delete;

  // The entry procedure. Any word runs the command line (one empty argument is one empty word);
  // none shows the main window. The program's own options are read by ReadProgramCall: a
  // "--dry-run" runs the command line without changing anything (no entry, no setting, no
  // journal) and shows what it would rename on `out`; "--undo" (optionally followed by
  // "--dry-run") takes back the newest batch of the journal; "--window <folder>" shows the main
  // window on that folder (without `display`: the help, as for a wrong call); one standing where
  // it does not belong gets its line on `err` and the help. Without `display` the command line
  // creates no window, shows no splash, leaves the Splash setting alone and never waits: messages
  // go to `err` as "kestro: <text>", the help to `out`. With `display` a QApplication must exist.
  // Returns the exit status when the program ends at once; no value when it goes on in the event
  // loop until its windows are closed (the help window quits the loop when it closes).
  std::optional<int> Start(const CommandWords& words, bool display);

  // The exit status after the event loop returned `loop_status`.
  [[nodiscard]] int StatusAfterEventLoop(int loop_status) const;

  [[nodiscard]] WindowState& state() { return state_; }
  [[nodiscard]] SplashWindow* splash() const { return splash_.get(); }
  [[nodiscard]] Form3* help_window() const { return help_window_.get(); }
  [[nodiscard]] QWidget* main_window() const { return main_window_.get(); }

 private:
  void ShowSplashOnFirstStart();
  // With a display: the command line's messages in message boxes, its help in a window.
  std::optional<int> RunCommandLine(const CommandWords& words, bool dry_run);
  std::optional<int> ShowHelp();
  UiHost& Messages();
  // The main window; on `folder` when not empty (on the page the last session ended on).
  void ShowMainWindow(const std::string& folder);
  void KeepSplashOnTop();

  EntryServices services_;
  std::ostream& out_;
  std::ostream& err_;
  UiHost* messages_;
  WindowState state_;
  std::unique_ptr<UiHost> own_messages_;
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<Form3> help_window_;
  std::unique_ptr<QWidget> main_window_;
};

// The whole program: its words and display from the process, the platform's services,
// and a QApplication whenever a window may be shown (never for a headless command line).
int RunKestro(int argc, char** argv);

}  // namespace kestro
