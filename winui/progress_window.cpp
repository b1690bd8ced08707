// ProgressWindow.
#include "winui/progress_window.h"

#include <windows.h>

#include <commctrl.h>

#include <cmath>

#include "winui/control_names.h"
#include "winui/dpi_change.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

constexpr auto kShowAfter = std::chrono::milliseconds(500);
// Events are let in at most this often, so a fast run spends its time renaming.
constexpr auto kPumpEvery = std::chrono::milliseconds(15);
constexpr wchar_t kClassName[] = L"KestrovaneProgress";
constexpr int kCancelId = 2;

std::string Fill(std::string text, std::size_t done, std::size_t total) {
  for (const auto& [mark, n] : {std::pair{"%1", done}, std::pair{"%2", total}}) {
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, 2, LocaleCount(n));
  }
  return text;
}

}  // namespace

ProgressWindow::ProgressWindow(HWND owner, std::string label)
    : owner_(owner), label_(std::move(label)), quiet_since_(Clock::now()) {}

ProgressWindow::~ProgressWindow() { Close(); }

LRESULT CALLBACK ProgressWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && message == WM_DPICHANGED) {
    const double scale = DpiChangeScale(wparam);
    HFONT* const fonts[] = {&self->font_};
    RescaleWindow(hwnd, scale / self->scale_, fonts, *reinterpret_cast<const RECT*>(lparam));
    self->scale_ = scale;
    return 0;
  }
  if (self != nullptr &&
      ((message == WM_COMMAND && LOWORD(wparam) == kCancelId) || message == WM_CLOSE)) {
    self->cancelled_ = true;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void ProgressWindow::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);  // fails harmlessly when already registered
  // Places in pixels at 96 dpi, scaled to the screen's.
  scale_ = ScreenScale();
  const auto px = [this](int pixels) { return static_cast<int>(std::lround(pixels * scale_)); };
  RECT area{0, 0, px(360), px(110)};
  AdjustWindowRectEx(&area, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  RECT owner_area{};
  GetWindowRect(owner_, &owner_area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, L"Kestrovane",
                            WS_POPUP | WS_CAPTION | WS_SYSMENU,
                            (owner_area.left + owner_area.right - width) / 2,
                            (owner_area.top + owner_area.bottom - height) / 2, width, height,
                            owner_, nullptr, instance, nullptr);
  if (window_ == nullptr) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  font_ = DialogFont(8.25);
  const auto font = reinterpret_cast<WPARAM>(font_);
  text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, px(12), px(10),
                          px(336), px(18), window_, nullptr, instance, nullptr);
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, px(12), px(34), px(336),
                         px(18), window_, nullptr, instance, nullptr);
  HWND cancel = CreateWindowExW(
      0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, px(268), px(70), px(80),
      px(26), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId)), instance, nullptr);
  for (HWND control : {text_, cancel}) SendMessageW(control, WM_SETFONT, font, TRUE);
  SetControlName(window_, "ProgressWindow");
  SetControlName(cancel, "Cancel");
  SendMessageW(bar_, PBM_SETRANGE32, 0, 1000);
  ShowWindow(window_, SW_SHOWNORMAL);
}

void ProgressWindow::Close() {
  if (window_ == nullptr) return;
  RemoveControlName(GetDlgItem(window_, kCancelId));
  RemoveControlName(window_);
  DestroyWindow(window_);
  window_ = nullptr;
  DeleteObject(font_);
  font_ = nullptr;
}

bool ProgressWindow::Step(std::size_t done, std::size_t total) {
  const Clock::time_point now = Clock::now();
  if (window_ == nullptr) {
    if (now - quiet_since_ < kShowAfter) return !cancelled_;
    Create();
  }
  if (window_ != nullptr && now - last_pump_ >= kPumpEvery) {
    last_pump_ = now;
    SetWindowTextUtf8(text_, Fill(label_, done, total));
    const auto permille = total == 0 ? 0 : static_cast<WPARAM>(done * 1000 / total);
    SendMessageW(bar_, PBM_SETPOS, permille, 0);
    // Only the progress window takes input meanwhile: the main window is disabled.
    owner_was_enabled_ = owner_was_enabled_ && IsWindowEnabled(owner_);
    EnableWindow(owner_, FALSE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        cancelled_ = true;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    EnableWindow(owner_, owner_was_enabled_);
  }
  return !cancelled_;
}

void ProgressWindow::ShowUncovered(UiHost& ui, const Message& message) {
  Close();
  ui.ShowMessage(message);
  quiet_since_ = Clock::now();
}

}  // namespace kestro
