// Messages in Win32 message boxes with an OK button: the batches' messages in the window and on
// the command line.
#pragma once

#include <windows.h>

#include "batch/ui_host.h"

namespace kestro {

// Shows `message` over `owner` (may be null) and returns when it has been closed. Control
// characters in its text (in each of its lines) are written out, so no name can fake a line.
void ShowWin32MessageBox(HWND owner, const Message& message);

// Asks `question` over `owner` (may be null) with OK and Cancel, Cancel the default; true for OK.
[[nodiscard]] bool AskWin32MessageBox(HWND owner, const Message& question);

// The command line's messages: boxes over no window; there is no main window to focus or unload.
class Win32MessageBoxHost : public UiHost {
 public:
  void ShowMessage(const Message& message) override { ShowWin32MessageBox(nullptr, message); }
  void FocusText8() override {}
  void UnloadMainWindow() override {}
};

}  // namespace kestro
