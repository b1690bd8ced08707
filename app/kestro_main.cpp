// kestro: batch renaming of the files or sub-directories of a folder, from the command line
// "kestro <path> <mode> <options>" or, with a display, from the main window. Without a display
// it runs here, without the window toolkit; with one, the window program takes over.
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/headless.h"
#include "platform/argument_text.h"
#include "platform/clock.h"
#include "platform/native_file_system.h"
#include "platform/native_settings_store.h"
#include "platform/state_folder.h"
#include "platform/window_program.h"
#ifdef _WIN32
#include "winui/win32_entry.h"
#endif

int main(int argc, char** argv) {
  using namespace kestro;
  const std::string argument_text = ArgumentText(argc, argv);
#ifdef _WIN32
  // On Windows the windows are Win32, in this program.
  if (WantsWin32Window(argument_text)) return RunWin32Entry(argument_text);
#else
  // The window program also serves a window on Qt's own platforms (offscreen, say).
  if (DisplayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")) ||
      (argument_text.empty() && std::getenv("QT_QPA_PLATFORM") != nullptr)) {
    const Status started = StartWindowProgram(argc, argv);
    // Without it the command line still runs, its messages on standard error.
    if (argument_text.empty()) {
      std::cerr << "kestro: cannot open the window: " << started.message() << '\n';
      return 2;
    }
  }
#endif
  const std::unique_ptr<FileSystem> fs = NewNativeFileSystem();
  const std::unique_ptr<SettingsStore> settings = NewNativeSettingsStore();
  SystemClock clock;
  const std::string state_folder = StateFolder();
  JournalFolder journal(state_folder);
  WindowState state;
  return RunHeadless(
      argument_text, state,
      HeadlessServices{*fs, *settings, clock, state_folder.empty() ? nullptr : &journal}, std::cout,
      std::cerr);
}
