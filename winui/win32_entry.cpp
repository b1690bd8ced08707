// Win32Entry and RunWin32Entry.
#include "winui/win32_entry.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "batch/journal.h"
#include "cli/command_line_mode.h"
#include "cli/first_start.h"
#include "cli/headless.h"
#include "engine/messages.h"
#include "platform/native_file_system.h"
#include "platform/native_settings_store.h"
#include "winui/form1_window.h"
#include "winui/guide_viewer.h"
#include "winui/help_window.h"
#include "winui/message_box_host.h"
#include "winui/splash_window.h"

namespace kestro {
Win32Entry::Win32Entry(Win32EntryServices services, std::ostream& out, std::ostream& err)
    : services_(std::move(services)), out_(out), err_(err) {}

Win32Entry::~Win32Entry() = default;

std::optional<int> Win32Entry::Start(const CommandWords& words) {
  const ProgramCall call = ReadProgramCall(words);
  if (call.kind == ProgramCall::Kind::kUndo) {
    // Undo says what it did in text; with no console to read it, in a box.
    std::ostringstream said, errors;
    const int status = RunHeadless(
        words, state_, {services_.fs, services_.settings, services_.clock, services_.journal}, said,
        errors);
    ShowText(said.str(), errors.str());
    return status;
  }
  ResetForCall(state_);
  switch (call.kind) {
    case ProgramCall::Kind::kHelp:
      // A program option where it does not belong: its line, which no console may show, in a box.
      if (!call.refusal.empty()) ShowText("", "kestro: " + call.refusal + "\n");
      return ShowHelp();
    case ProgramCall::Kind::kDryRun:
      return RunCommandLine(call.words, /*dry_run=*/true);
    case ProgramCall::Kind::kRun:
      ShowSplashOnFirstStart();
      return RunCommandLine(call.words, /*dry_run=*/false);
    case ProgramCall::Kind::kUndo:
    case ProgramCall::Kind::kWindow:
      break;
  }
  main_window_ = std::make_unique<Form1Window>(
      state_,
      Form1WindowServices{services_.fs, services_.settings, services_.clock, services_.opener,
                          services_.journal, services_.messages, services_.user_guide});
  // "--window <folder>": both pages open on the folder. One that cannot be opened leaves the
  // window where it was.
  if (!call.folder.empty() && main_window_->OpenFolder(true, call.folder).ok()) {
    static_cast<void>(main_window_->OpenFolder(false, call.folder));
  }
  ShowWindow(main_window_->hwnd(), main_window_->show_command());
  UpdateWindow(main_window_->hwnd());
  // The splash comes up with the main window, above it: made after it, it stays above it also
  // where no window manager keeps topmost windows on top.
  ShowSplashOnFirstStart();
  return std::nullopt;
}

void Win32Entry::ShowSplashOnFirstStart() {
  if (TakeFirstStart(services_.settings)) splash_ = std::make_unique<SplashWindow>();
}

UiHost& Win32Entry::Messages() {
  if (services_.messages == nullptr) {
    own_messages_ = std::make_unique<Win32MessageBoxHost>();
    services_.messages = own_messages_.get();
  }
  return *services_.messages;
}

std::optional<int> Win32Entry::RunCommandLine(const CommandWords& words, bool dry_run) {
  std::ostringstream said, errors;
  const CommandLineRun run =
      RunCommandWords(words, state_, services_.fs, services_.settings, services_.clock, Messages(),
                      services_.journal, dry_run, said, errors);
  // A dry run's lines and the lines of entries that kept their names: with no console to read
  // them, in a box.
  ShowText(said.str(), errors.str());
  if (!run.wrong_command) return ExitStatus(run);
  return ShowHelp();
}

void Win32Entry::ShowText(const std::string& said, const std::string& errors) {
  out_ << said;
  err_ << errors;
  const std::string text = said + errors;
  if (text.empty()) return;
  // The first lines, so the box fits the screen; the rest counted.
  constexpr std::size_t kMostLines = 40;
  std::size_t lines = 0;
  std::size_t end = 0;
  while (end < text.size() && lines < kMostLines) {
    end = text.find('\n', end);
    end = end == std::string::npos ? text.size() : end + 1;
    ++lines;
  }
  std::string shown = text.substr(0, end);
  const auto more = static_cast<std::size_t>(
      std::count(text.begin() + static_cast<std::ptrdiff_t>(end), text.end(), '\n'));
  if (more > 0) shown += "... and " + std::to_string(more) + " more lines.";
  if (!shown.empty() && shown.back() == '\n') shown.pop_back();
  Messages().ShowMessage(Message{shown, messages::kProgramTitle,
                                 errors.empty() ? MessageIcon::None : MessageIcon::Exclamation,
                                 /*lines=*/true});
}

std::optional<int> Win32Entry::ShowHelp() {
  // However the help window is closed, the program ends with it.
  help_window_ = std::make_unique<HelpWindow>(services_.opener, Messages(), services_.user_guide,
                                              [] { PostQuitMessage(0); });
  KeepSplashOnTop();
  return std::nullopt;
}

void Win32Entry::KeepSplashOnTop() {
  // Without a window manager to keep it topmost, a window shown later would cover it.
  if (splash_ != nullptr && splash_->hwnd() != nullptr) {
    SetWindowPos(splash_->hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

int Win32Entry::StatusAfterLoop(int loop_status) const {
  return help_window_ != nullptr ? kExitWrongCommand : loop_status;
}

int RunWin32MessageLoop(const std::function<bool(const MSG&)>& keys) {
  MSG message;
  BOOL got = 0;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    DispatchWin32Message(message, keys);
  }
  return static_cast<int>(message.wParam);
}

void DispatchWin32Message(const MSG& message, const std::function<bool(const MSG&)>& keys) {
  if (keys && keys(message)) return;
  MSG copy = message;
  HWND top = GetAncestor(message.hwnd, GA_ROOT);
  if (top != nullptr && IsDialogMessageW(top, &copy)) return;
  TranslateMessage(&copy);
  DispatchMessageW(&copy);
}

int RunWin32Entry(const CommandWords& words) {
  // The manifest makes the program DPI-aware (the windows scale their twips with the screen's
  // DPI themselves) and asks for the common controls of version 6.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  const std::unique_ptr<FileSystem> fs = NewNativeFileSystem();
  const std::unique_ptr<SettingsStore> settings = NewNativeSettingsStore();
  SystemClock clock;
  ShellDocumentOpener opener;
  JournalFolder journal = UserJournalFolder();
  Win32Entry entry(
      Win32EntryServices{*fs, *settings, clock, opener, &journal, nullptr, GuideBesideProgram()},
      std::cout, std::cerr);
  if (const std::optional<int> status = entry.Start(words)) return *status;
  return entry.StatusAfterLoop(RunWin32MessageLoop([&entry](const MSG& message) {
    return entry.main_window() != nullptr && entry.main_window()->PreTranslate(message);
  }));
}

}  // namespace kestro
