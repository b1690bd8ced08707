#include "ui/entry.h"

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>

#include "batch/batch_renamer.h"
#include "cli/command_line_mode.h"
#include "cli/headless.h"
#include "cli/help_texts.h"
#include "cli/undo_command.h"
#include "engine/command_args.h"
#include "platform/argument_text.h"
#include "platform/native_file_system.h"
#include "platform/native_settings_store.h"
#include "platform/state_folder.h"
#include "platform/text_output.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/message_box_ui_host.h"
#include "ui/qt_document_opener.h"
#include "ui/splash_window.h"

namespace kestro {

Module12::Module12(EntryServices services, std::ostream& out, std::ostream& err, UiHost* messages)
    : services_(services), out_(out), err_(err), messages_(messages) {}

Module12::~Module12() = default;

std::optional<int> Module12::Start(const CommandWords& words, bool display) {
  const HeadlessServices headless{services_.fs, services_.settings, services_.clock,
                                  services_.journal};
  const ProgramCall call = ReadProgramCall(words);
  // Without a display, and for undo (always on the terminal), it runs as kestro itself does.
  if ((!display && call.kind != ProgramCall::Kind::kWindow) ||
      call.kind == ProgramCall::Kind::kUndo) {
    return RunHeadless(words, state_, headless, out_, err_);
  }
  ResetForCall(state_);
  switch (call.kind) {
    case ProgramCall::Kind::kHelp:
      if (!call.refusal.empty()) err_ << "kestro: " << call.refusal << '\n' << std::flush;
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
  if (display) ShowSplashOnFirstStart();
  ShowMainWindow(call.folder);
  return std::nullopt;
}

void Module12::ShowSplashOnFirstStart() {
  if (!TakeFirstStart(services_.settings)) return;
  splash_ = std::make_unique<SplashWindow>();
  splash_->show();
  MakeTopmost(*splash_);
}

UiHost& Module12::Messages() {
  if (messages_ == nullptr) {
    own_messages_ = std::make_unique<MessageBoxUiHost>();
    messages_ = own_messages_.get();
  }
  return *messages_;
}

std::optional<int> Module12::RunCommandLine(const CommandWords& words, bool dry_run) {
  const CommandLineRun run =
      RunCommandWords(words, state_, services_.fs, services_.settings, services_.clock, Messages(),
                      services_.journal, dry_run, out_, err_);
  if (!run.wrong_command) return ExitStatus(run);
  return ShowHelp();
}

std::optional<int> Module12::ShowHelp() {
  help_window_ = std::make_unique<Form3>(services_.opener, Messages());
  // However the help window is closed, the program ends with it.
  QObject::connect(
      help_window_.get(), &QDialog::finished, help_window_.get(), [] { QCoreApplication::quit(); },
      Qt::QueuedConnection);
  help_window_->show();
  KeepSplashOnTop();
  return std::nullopt;
}

void Module12::ShowMainWindow(const std::string& folder) {
  auto form = std::make_unique<Form1>(
      state_, Form1Services{services_.fs, services_.settings, services_.clock, services_.opener,
                            services_.journal, /*user_guide=*/""});
  // Both pages open on the folder, the page of the last session in view. A folder that cannot be
  // opened is said on the status line; the window stays where it was.
  const bool directories = state_.TargetKind;
  if (!folder.empty() && form->OpenFolder(folder, !directories).ok()) {
    static_cast<void>(form->OpenFolder(folder, directories));
  }
  main_window_ = std::move(form);
  main_window_->show();
  KeepSplashOnTop();
}

void Module12::KeepSplashOnTop() {
  // Without a window manager to honour the topmost hint, a window shown later would cover it.
  if (splash_ != nullptr && splash_->isVisible()) splash_->raise();
}

int Module12::StatusAfterEventLoop(int loop_status) const {
  return help_window_ != nullptr ? kExitWrongCommand : loop_status;
}

int RunKestro(int argc, char** argv) {
  const CommandWords words = ArgumentWords(argc, argv);
  const bool display = DisplayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  const std::unique_ptr<FileSystem> fs = NewNativeFileSystem();
  // The same store as the command line's, so one set of rules guards the settings file.
  const std::unique_ptr<SettingsStore> settings_store = NewNativeSettingsStore();
  SettingsStore& settings = *settings_store;
  SystemClock clock;
  QtDocumentOpener opener;
  JournalFolder journal = UserJournalFolder();
  const EntryServices services{*fs, settings, clock, opener, &journal};

  // Without a display, as kestro itself runs; the window only on a platform of Qt's own
  // (offscreen), rather than let the window system end the program.
  const bool window_call = ReadProgramCall(words).kind == ProgramCall::Kind::kWindow;
  if (!display && (!window_call || std::getenv("QT_QPA_PLATFORM") == nullptr)) {
    KeepRunningWhenOutputCloses();
    WindowState state;
    return RunHeadless(words, state, {*fs, settings, clock, services.journal}, std::cout,
                       std::cerr);
  }
  // Every argument is the command line's: Qt's own options ("-platform", "-reverse", ...) never
  // reach the application object.
  static char program_name[] = "kestro";
  int qt_argc = 1;
  char* qt_argv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : program_name, nullptr};
  QApplication application(qt_argc, qt_argv);
  Module12 entry(services, std::cout, std::cerr);
  if (const std::optional<int> status = entry.Start(words, display)) return *status;
  return entry.StatusAfterEventLoop(QApplication::exec());
}

}  // namespace kestro
