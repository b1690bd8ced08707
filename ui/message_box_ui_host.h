// The UiHost of the command line when a display is there: each message is a message box with its
// title (the program's name when it has none), its icon and an OK button, waited for.
#pragma once

#include "batch/ui_host.h"

namespace kestro {

class MessageBoxUiHost : public UiHost {
 public:
  void ShowMessage(const Message& message) override;
  // The main window is never shown on the command line: nothing to focus or unload.
  void FocusText8() override {}
  void UnloadMainWindow() override {}
};

}  // namespace kestro
