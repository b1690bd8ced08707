// Form3 in Win32: the command line's help window, its texts and places from cli/help_texts.h,
// "OK" (Command1) and "Userguide" (Command2). However it is closed, `closed` is called; the
// command-line mode ends the program then.
#pragma once

#include <windows.h>

#include <functional>

#include "batch/ui_host.h"
#include "platform/document_opener.h"

namespace kestro {

class HelpWindow {
 public:
  // `opener` opens the guide; `messages` says when it cannot be opened. Shown, not modal.
  HelpWindow(DocumentOpener& opener, UiHost& messages, std::string guide,
             std::function<void()> closed);
  ~HelpWindow();
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  void Command1_Click();  // "OK"
  void Command2_Click();  // "Userguide": the guide opens; this window stays open

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  DocumentOpener& opener_;
  UiHost& messages_;
  std::string guide_;
  std::function<void()> closed_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT bold_font_ = nullptr;
  double scale_ = 1.0;  // the DPI over 96 the window is laid out at
};

}  // namespace kestro
