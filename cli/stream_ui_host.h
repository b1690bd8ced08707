// The UiHost of the headless command line: every message box becomes one line "kestro: <text>"
// on the error stream; there is no window to focus or unload.
#pragma once

#include <ostream>

#include "batch/ui_host.h"

namespace kestro {

class StreamUiHost : public UiHost {
 public:
  explicit StreamUiHost(std::ostream& err) : err_(err) {}

  void ShowMessage(const Message& message) override;
  void FocusText8() override {}
  void UnloadMainWindow() override {}

 private:
  std::ostream& err_;
};

}  // namespace kestro
