// AboutWindow.
#include "winui/about_window.h"

#include "batch/twip_rect.h"
#include "winui/control_names.h"
#include "winui/win32_fonts.h"

namespace kestro {
namespace {

constexpr wchar_t kClassName[] = L"KestrovaneAbout";
constexpr int kOkId = 1;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

AboutWindow::AboutWindow(HWND main) : main_(main) {
  RegisterWindowClass(kClassName, WindowProc);
  const double scale = ScreenScale();
  const SIZE size = OuterSize(TwipsToPixels(3744, scale), TwipsToPixels(3780, scale), kStyle, 0);
  RECT main_area{};
  GetWindowRect(main_, &main_area);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Owned by the main window, so it stays above it, yet not a child: disabling the main window
  // leaves it working.
  hwnd_ = CreateWindowExW(0, kClassName, L"About Kestrovane", kStyle,
                          (main_area.left + main_area.right - size.cx) / 2,
                          (main_area.top + main_area.bottom - size.cy) / 2, size.cx, size.cy, main_,
                          nullptr, instance, nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetControlName(hwnd_, "frmAbout");
  const PixelRect label = TwipsToPixels(TwipRect{108, 36, 3216, 480}, scale);
  HWND label3 =
      CreateWindowExW(0, L"STATIC", L"Kestrovane 1.0", WS_CHILD | WS_VISIBLE | SS_LEFT, label.x,
                      label.y, label.width, label.height, hwnd_, nullptr, instance, nullptr);
  SetControlName(label3, "Label3");
  const PixelRect ok = TwipsToPixels(TwipRect{2340, 3060, 1380, 684}, scale);
  HWND command1 =
      CreateWindowExW(0, L"BUTTON", L"OK!", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      ok.x, ok.y, ok.width, ok.height, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)), instance, nullptr);
  SetControlName(command1, "Command1");
  font_ = DialogFont(8.25);
  title_font_ = DialogFont(13.8);
  SetFontOnAll(hwnd_, font_);
  SendMessageW(label3, WM_SETFONT, reinterpret_cast<WPARAM>(title_font_), FALSE);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetFocus(command1);
  EnableWindow(main_, FALSE);
}

AboutWindow::~AboutWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  DeleteObject(font_);
  DeleteObject(title_font_);
}

void AboutWindow::Command1_Click() {
  EnableWindow(main_, TRUE);
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT CALLBACK AboutWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(wparam) == kOkId || LOWORD(wparam) == IDCANCEL) self->Command1_Click();
        return 0;
      case WM_DESTROY:
        // However it closes, the main window takes input again, and becomes the active one.
        EnableWindow(self->main_, TRUE);
        SetActiveWindow(self->main_);
        EnumChildWindows(
            hwnd, [](HWND child, LPARAM) -> BOOL { return RemoveControlName(child), TRUE; }, 0);
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
