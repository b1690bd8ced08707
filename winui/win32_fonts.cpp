// Fonts, scale and window classes.
#include "winui/win32_fonts.h"

#include <cmath>

namespace kestro {

double ScreenScale() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

HFONT DialogFont(double points, bool bold) { return ScaledDialogFont(points, ScreenScale(), bold); }

HFONT ScaledDialogFont(double points, double scale, bool bold) {
  const int height = -static_cast<int>(std::lround(points * 96.0 / 72.0 * scale));
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

void SetFontOnAll(HWND hwnd, HFONT font) {
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EnumChildWindows(
      hwnd,
      [](HWND child, LPARAM data) -> BOOL {
        SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(data), FALSE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font));
}

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);  // a second registration fails harmlessly
}

SIZE OuterSize(int width, int height, DWORD style, DWORD ex_style) {
  RECT area{0, 0, width, height};
  AdjustWindowRectEx(&area, style, FALSE, ex_style);
  return {area.right - area.left, area.bottom - area.top};
}

POINT CentredOnWorkArea(SIZE size) {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left + (work.right - work.left - size.cx) / 2,
          work.top + (work.bottom - work.top - size.cy) / 2};
}

}  // namespace kestro
