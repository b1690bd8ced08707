// AboutWindow.
#include "winui/about_window.h"

#include "batch/twip_rect.h"
#include "winui/control_names.h"
#include "winui/dpi_change.h"
#include "winui/win32_fonts.h"

namespace kestro {
namespace {

constexpr int kOkId = 1;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

AboutWindow::AboutWindow(HWND main) : main_(main) {
  scale_ = ScreenScale();
  const double scale = scale_;
  const SIZE size = OuterSize(TwipsToPixels(3744, scale), TwipsToPixels(3780, scale), kStyle, 0);
  RECT main_area{};
  GetWindowRect(main_, &main_area);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Owned by the main window, so it stays above it, yet not a child: disabling the main window
  // leaves it working. Of the system's dialog class, so assistive technology calls it a dialog,
  // and Esc and the close box answer as in any dialog.
  hwnd_ = CreateWindowExW(WS_EX_DLGMODALFRAME, WC_DIALOG, L"About Kestrovane", kStyle,
                          (main_area.left + main_area.right - size.cx) / 2,
                          (main_area.top + main_area.bottom - size.cy) / 2, size.cx, size.cy, main_,
                          nullptr, instance, nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(DialogProc));
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

INT_PTR CALLBACK AboutWindow::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kOkId || LOWORD(wparam) == IDCANCEL) self->Command1_Click();
      return TRUE;
    case WM_DPICHANGED: {
      const double scale = DpiChangeScale(wparam);
      HFONT* const fonts[] = {&self->font_, &self->title_font_};
      RescaleWindow(hwnd, scale / self->scale_, fonts, *reinterpret_cast<const RECT*>(lparam));
      self->scale_ = scale;
      return TRUE;
    }
    case WM_DESTROY:
      // However it closes, the main window takes input again, and becomes the active one.
      EnableWindow(self->main_, TRUE);
      SetActiveWindow(self->main_);
      EnumChildWindows(
          hwnd, [](HWND child, LPARAM) -> BOOL { return RemoveControlName(child), TRUE; }, 0);
      RemoveControlName(hwnd);
      self->hwnd_ = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace kestro
