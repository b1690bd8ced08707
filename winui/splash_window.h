// frmSplash in Win32: a borderless, topmost window of 250 by 250 pixels at 96 dpi, centred on the
// screen, whose whole face is the picture; it closes itself 2000 ms after it is shown.
#pragma once

#include <windows.h>

namespace kestro {

class SplashWindow {
 public:
  static constexpr int kPicturePixels = 250;
  static constexpr UINT kTimerMilliseconds = 2000;
  static constexpr UINT_PTR kTimer1 = 1;

  SplashWindow();
  ~SplashWindow();
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  void Timer1_Timer();  // closes the window

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint(HDC dc) const;

  HWND hwnd_ = nullptr;
  double scale_ = 1.0;  // the DPI over 96 the window is laid out at
};

}  // namespace kestro
