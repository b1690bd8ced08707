// kestro: batch renaming of the files or sub-directories of a folder, from the command line
// "kestro <path> <mode> <options>" or from the main window. A call answered in text runs here,
// without the window toolkit; one answered in windows goes to the window program.
#include <cstdlib>
#include <iostream>
#include <string>

#include "cli/front_end.h"
#include "cli/headless.h"
#include "platform/argument_text.h"
#include "platform/clock.h"
#include "platform/native_file_system.h"
#include "platform/native_settings_store.h"
#include "platform/text_output.h"
#include "platform/window_program.h"
#ifdef _WIN32
#include "winui/win32_entry.h"
#endif

int main(int argc, char** argv) {
  using namespace kestro;
  // The words are read here once and handed down.
  const CommandWords words = ArgumentWords(argc, argv);
  const bool window_call = ReadProgramCall(words).kind == ProgramCall::Kind::kWindow;
  CallSurroundings around;
  around.display =
      AlwaysADisplay() || DisplayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  around.window_platform = std::getenv("QT_QPA_PLATFORM") != nullptr;
  // Only a command line takes the caller's console: a main window tied to it would close with it.
  around.text_asked = !window_call && PrepareTextOutput();
  if (WindowsWanted(words, around)) {
    // The one place where the program's windows take over: the main window (perhaps on a folder,
    // "--window <folder>"), or a command line with its messages in message boxes and its help in
    // a window.
#ifdef _WIN32
    // On Windows the windows are Win32, in this program.
    return RunWin32Entry(words);
#else
    const Status started = StartWindowProgram(argc, argv);
    // Without them a command line still runs, its messages on standard error.
    if (window_call) {
      std::cerr << "kestro: cannot open the window: " << started.message() << '\n';
      return 2;
    }
#endif
  }
  KeepRunningWhenOutputCloses();
  const std::unique_ptr<FileSystem> fs = NewNativeFileSystem();
  const std::unique_ptr<SettingsStore> settings = NewNativeSettingsStore();
  SystemClock clock;
  JournalFolder journal = UserJournalFolder();
  WindowState state;
  return RunHeadless(words, state, HeadlessServices{*fs, *settings, clock, &journal}, std::cout,
                     std::cerr);
}
