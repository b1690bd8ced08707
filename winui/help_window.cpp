// HelpWindow.
#include "winui/help_window.h"

#include <algorithm>
#include <vector>

#include "cli/help_texts.h"
#include "engine/messages.h"
#include "winui/control_names.h"
#include "winui/dpi_change.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

constexpr wchar_t kClassName[] = L"KestrovaneForm3";
// Not IDCANCEL (2), which the dialog keys send for Esc: that one closes the window.
constexpr int kOkId = IDOK;
constexpr int kUserguideId = 100;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// A one-line label may take the room to its right, up to the next label of its row or the
// frame's edge, so a face a little wider than the design's still shows it whole.
int RoomOf(const HelpLabel& label) {
  int right = kFrame2Place.width - 36;
  for (const HelpLabel& other : HelpLabels()) {
    if (other.place.top == label.place.top && other.place.left > label.place.left) {
      right = std::min(right, other.place.left - 24);
    }
  }
  return std::max(label.place.width, right - label.place.left);
}

// Whether every text fits its place in the dialog face at `points`: a wrapping one within its
// height, a one-line one within its room.
bool AllFit(double points, double scale) {
  HDC dc = GetDC(nullptr);
  HFONT fonts[2] = {DialogFont(points), DialogFont(points, true)};
  HGDIOBJ old = SelectObject(dc, fonts[0]);
  bool fit = true;
  std::vector<HelpLabel> texts(HelpLabels().begin(), HelpLabels().end());
  texts.push_back(kHelpMoreLabel);
  for (const HelpLabel& text : texts) {
    SelectObject(dc, fonts[text.bold ? 1 : 0]);
    const PixelRect place = TwipsToPixels(text.place, scale);
    RECT needed{0, 0, text.wraps ? place.width : 100000, 0};
    const std::wstring wide = Wide(text.text);
    DrawTextW(dc, wide.c_str(), -1, &needed,
              DT_CALCRECT | DT_NOPREFIX | (text.wraps ? DT_WORDBREAK : DT_SINGLELINE));
    fit = fit && (text.wraps ? needed.bottom <= place.height + 1
                             : needed.right <= TwipsToPixels(RoomOf(text), scale));
  }
  SelectObject(dc, old);
  for (HFONT font : fonts) DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return fit;
}

// The largest size, up to 8 points, in which every text fits its place.
double FittingPoints(double scale) {
  double points = 8.0;
  while (points > 5.0 && !AllFit(points, scale)) points -= 0.25;
  return points;
}

}  // namespace

HelpWindow::HelpWindow(DocumentOpener& opener, UiHost& messages, std::string guide,
                       std::function<void()> closed)
    : opener_(opener), messages_(messages), guide_(std::move(guide)), closed_(std::move(closed)) {
  RegisterWindowClass(kClassName, WindowProc);
  scale_ = ScreenScale();
  const double scale = scale_;
  const SIZE size = OuterSize(TwipsToPixels(kForm3Client.width, scale),
                              TwipsToPixels(kForm3Client.height, scale), kStyle, 0);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const POINT at = CentredOnWorkArea(size);
  hwnd_ = CreateWindowExW(0, kClassName, Wide(kHelpWindowTitle).c_str(), kStyle, at.x, at.y,
                          size.cx, size.cy, nullptr, nullptr, instance, nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetControlName(hwnd_, "Form3");
  auto make = [&](const wchar_t* window_class, const std::string& text, DWORD style,
                  const TwipRect& place, const char* name, int id = 0) {
    const PixelRect p = TwipsToPixels(place, scale);
    HWND control = CreateWindowExW(
        0, window_class, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, p.x, p.y, p.width,
        p.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SetControlName(control, name);
    return control;
  };
  // The buttons come first, so "OK" leads the tab order and has the focus when the window opens.
  HWND ok = make(L"BUTTON", kHelpOkCaption, WS_TABSTOP | BS_DEFPUSHBUTTON, kCommand1Place,
                 "Command1", kOkId);
  make(L"BUTTON", kHelpUserguideCaption, WS_TABSTOP | BS_PUSHBUTTON, kCommand2Place, "Command2",
       kUserguideId);
  make(L"BUTTON", kHelpFrameCaption, BS_GROUPBOX, kFrame2Place, "Frame2");
  make(L"STATIC", "", SS_ETCHEDHORZ, kFrame6Place, "Frame6");
  make(L"STATIC", "", SS_ETCHEDHORZ, kFrame4Place, "Frame4");
  const double points = FittingPoints(scale);
  font_ = DialogFont(points);
  bold_font_ = DialogFont(points, true);
  SetFontOnAll(hwnd_, font_);
  for (const HelpLabel& text : HelpLabels()) {
    TwipRect place = text.place;
    place.left += kFrame2Place.left;
    place.top += kFrame2Place.top;
    if (!text.wraps) place.width = RoomOf(text);
    HWND label = make(L"STATIC", text.text,
                      SS_NOPREFIX | (text.wraps ? SS_LEFT : SS_LEFTNOWORDWRAP), place, text.name);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(text.bold ? bold_font_ : font_), 0);
  }
  // Below the frame, beside the buttons, in window coordinates.
  HWND more = make(L"STATIC", kHelpMoreLabel.text, SS_NOPREFIX | SS_LEFT, kHelpMoreLabel.place,
                   kHelpMoreLabel.name);
  SendMessageW(more, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetFocus(ok);
}

HelpWindow::~HelpWindow() {
  closed_ = nullptr;
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  DeleteObject(font_);
  DeleteObject(bold_font_);
}

void HelpWindow::Command1_Click() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void HelpWindow::Command2_Click() {
  const Status opened = opener_.Open(guide_);
  if (!opened.ok()) {
    messages_.ShowMessage(Message{messages::kGuideNotOpened + opened.message(),
                                  messages::kProgramTitle, MessageIcon::Exclamation});
  }
}

LRESULT CALLBACK HelpWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(wparam) == kOkId || LOWORD(wparam) == IDCANCEL) self->Command1_Click();
        if (LOWORD(wparam) == kUserguideId) self->Command2_Click();
        return 0;
      case WM_DPICHANGED: {
        const double scale = DpiChangeScale(wparam);
        HFONT* const fonts[] = {&self->font_, &self->bold_font_};
        RescaleWindow(hwnd, scale / self->scale_, fonts, *reinterpret_cast<const RECT*>(lparam));
        self->scale_ = scale;
        return 0;
      }
      case WM_DESTROY:
        EnumChildWindows(
            hwnd, [](HWND child, LPARAM) -> BOOL { return RemoveControlName(child), TRUE; }, 0);
        RemoveControlName(hwnd);
        self->hwnd_ = nullptr;
        if (self->closed_) self->closed_();
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace kestro
