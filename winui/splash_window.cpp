// SplashWindow and its picture: an evening sky with a weather vane, the name and the version.
#include "winui/splash_window.h"

#include <cmath>

#include "winui/control_names.h"
#include "winui/dpi_change.h"
#include "winui/win32_fonts.h"

namespace kestro {
namespace {

constexpr wchar_t kClassName[] = L"KestrovaneSplash";

COLORREF Blend(COLORREF a, COLORREF b, double t) {
  auto mix = [t](int x, int y) { return static_cast<BYTE>(x + (y - x) * t); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void FillRectColor(HDC dc, const RECT& area, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

}  // namespace

SplashWindow::SplashWindow() {
  RegisterWindowClass(kClassName, WindowProc);
  scale_ = ScreenScale();
  const int side = static_cast<int>(std::lround(kPicturePixels * scale_));
  const POINT at = CentredOnWorkArea({side, side});
  hwnd_ =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"Kestrovane", WS_POPUP, at.x,
                      at.y, side, side, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetControlName(hwnd_, "frmSplash");
  SetTimer(hwnd_, kTimer1, kTimerMilliseconds, nullptr);
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  // Topmost without moving or resizing it.
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

SplashWindow::~SplashWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void SplashWindow::Timer1_Timer() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void SplashWindow::Paint(HDC dc) const {
  // Drawn in the pixels of 96 dpi, scaled to the screen's: lines and letters stay sharp.
  SetGraphicsMode(dc, GM_ADVANCED);
  const auto scale = static_cast<FLOAT>(scale_);
  const XFORM scaled{scale, 0, 0, scale, 0, 0};
  SetWorldTransform(dc, &scaled);
  const COLORREF top = RGB(22, 44, 88);
  const COLORREF middle = RGB(214, 120, 64);
  const COLORREF bottom = RGB(246, 204, 120);
  for (int y = 0; y < kPicturePixels; y += 2) {
    const double t = y / 250.0;
    const COLORREF color =
        t < 0.65 ? Blend(top, middle, t / 0.65) : Blend(middle, bottom, (t - 0.65) / 0.35);
    FillRectColor(dc, RECT{0, y, kPicturePixels, y + 2}, color);
  }
  HBRUSH sun = CreateSolidBrush(RGB(252, 222, 150));
  HPEN no_pen = static_cast<HPEN>(GetStockObject(NULL_PEN));
  HGDIOBJ old_pen = SelectObject(dc, no_pen);
  HGDIOBJ old_brush = SelectObject(dc, sun);
  Ellipse(dc, 85, 128, 165, 208);
  // A weather vane: the mast, the compass cross, the arrow with a kestrel's fanned tail.
  HBRUSH iron = CreateSolidBrush(RGB(34, 30, 40));
  SelectObject(dc, iron);
  Rectangle(dc, 122, 70, 128, 200);
  Rectangle(dc, 96, 126, 154, 130);
  Ellipse(dc, 119, 64, 131, 76);
  const POINT arrow[] = {{62, 92},   {170, 92},  {170, 80}, {196, 96},
                         {170, 112}, {170, 100}, {62, 100}};
  Polygon(dc, arrow, 7);
  for (int i = 0; i < 4; ++i) {
    const int x = 54 + i * 8;
    const POINT feather[] = {{x + 14, 96}, {x, 76 + i * 2},      {x - 6, 78 + i * 2},
                             {x + 6, 96},  {x - 6, 114 - i * 2}, {x, 116 - i * 2}};
    Polygon(dc, feather, 6);
  }
  Rectangle(dc, 20, 200, 230, 208);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(sun);
  DeleteObject(iron);

  SetBkMode(dc, TRANSPARENT);
  HFONT title =
      CreateFontW(-30, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
  HGDIOBJ old_font = SelectObject(dc, title);
  SetTextColor(dc, RGB(250, 244, 228));
  RECT name{0, 14, kPicturePixels, 54};
  DrawTextW(dc, L"Kestrovane", -1, &name, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  HFONT version =
      CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
  SelectObject(dc, version);
  SetTextColor(dc, RGB(34, 30, 40));
  RECT number{0, 216, kPicturePixels, 240};
  DrawTextW(dc, L"1.0", -1, &number, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  DeleteObject(title);
  DeleteObject(version);
}

LRESULT CALLBACK SplashWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        self->Paint(dc);
        EndPaint(hwnd, &paint);
        return 0;
      }
      case WM_DPICHANGED:
        self->scale_ = DpiChangeScale(wparam);
        MoveToSuggested(hwnd, *reinterpret_cast<const RECT*>(lparam));
        return 0;
      case WM_TIMER:
        if (wparam == kTimer1) self->Timer1_Timer();
        return 0;
      case WM_DESTROY:
        KillTimer(hwnd, kTimer1);
        RemoveControlName(hwnd);
        self->hwnd_ = nullptr;
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace kestro
