// Progress of a long run in the Win32 window ("Rename!", Undo): a small window with entries done
// of total, a bar and Cancel, shown once the run has gone on for about half a second with no
// message box up. The main window takes no input meanwhile.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "batch/messages_above.h"

namespace kestro {

class ProgressWindow : public ProgressView {
 public:
  // `label` holds %1 (entries done) and %2 (of how many): "Renaming: %1 of %2 entries done."
  ProgressWindow(HWND owner, std::string label);
  ~ProgressWindow() override;
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // Called before each entry; false once Cancel has been clicked.
  bool Step(std::size_t done, std::size_t total);
  // Shows `message` with nothing covering it: the progress window goes away meanwhile.
  void ShowUncovered(UiHost& ui, const Message& message) override;

 private:
  using Clock = std::chrono::steady_clock;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Create();
  void Close();

  HWND owner_;
  std::string label_;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
  HWND bar_ = nullptr;
  HFONT font_ = nullptr;
  double scale_ = 1.0;  // the DPI over 96 the window is laid out at
  bool owner_was_enabled_ = true;
  bool cancelled_ = false;
  Clock::time_point quiet_since_;
  Clock::time_point last_pump_;
};

}  // namespace kestro
