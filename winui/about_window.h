// About (frmAbout) in Win32: a top-level window of its own with the product name and "OK!". While
// it is open the main window is disabled; however it closes, the main window is enabled again.
#pragma once

#include <windows.h>

namespace kestro {

class AboutWindow {
 public:
  // Shows the window centred over `main` and disables `main`.
  explicit AboutWindow(HWND main);
  ~AboutWindow();
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  [[nodiscard]] bool open() const { return hwnd_ != nullptr; }
  void Command1_Click();  // "OK!"

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND main_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT title_font_ = nullptr;
  double scale_ = 1.0;  // the DPI over 96 the window is laid out at
};

}  // namespace kestro
