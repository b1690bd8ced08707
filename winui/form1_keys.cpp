// Form1Window's shortcuts, as the Qt window has them (batch/form1_keys.h): Alt and a letter
// presses a button or chooses a tab, F1 is Help, F5 reads the folders again, Ctrl+L opens the
// chosen page's path field, and a path typed or pasted into a folder tree or drive list opens
// its page's path field with it; Enter there opens the folder, Esc closes the field.
#include <windows.h>

#include <commctrl.h>

#include "batch/form1_keys.h"
#include "batch/path_input.h"
#include "winui/form1_window.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The text on the clipboard; empty when it holds none.
std::string ClipboardText(HWND owner) {
  std::string text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Utf8(wide);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

bool Form1Window::ComfortKey(const MSG& message) {
  if (GetAncestor(message.hwnd, GA_ROOT) != hwnd_) return false;
  const WPARAM key = message.wParam;
  if (message.message == WM_SYSKEYDOWN && key >= 'A' && key <= 'Z') {
    const AltKey* alt = FindAltKey(static_cast<char>(key));
    if (alt == nullptr) return false;
    HWND control = Control(alt->name);
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return true;
    if (alt->tab < 0) {
      SendMessageW(control, BM_CLICK, 0, 0);
    } else {
      TabCtrl_SetCurSel(control, alt->tab);
      if (control == Control("TabStrip1")) {
        TabStrip1_Click();
        SetFocus(control);
      } else {
        TabStrip2_Click();
      }
    }
    return true;
  }
  for (bool directories : {true, false}) {
    if (message.hwnd != path_fields_[directories ? 0 : 1] || message.message != WM_KEYDOWN)
      continue;
    if (key == VK_RETURN) {
      OpenTypedPath(directories);
      return true;
    }
    if (key == VK_ESCAPE) {
      SetFocus(Control(directories ? "Dir1" : "Dir3"));  // which closes the field
      return true;
    }
  }
  const bool in_picker = message.hwnd == Control("Dir1") || message.hwnd == Control("Drive1") ||
                         message.hwnd == Control("Dir3") || message.hwnd == Control("Drive2");
  const bool picker_of_dirs = message.hwnd == Control("Dir1") || message.hwnd == Control("Drive1");
  if (message.message == WM_CHAR && in_picker && StartsTypedPath(static_cast<char32_t>(key))) {
    ShowPathField(picker_of_dirs, Utf8(std::wstring(1, static_cast<wchar_t>(key))), false);
    return true;
  }
  if (message.message != WM_KEYDOWN) return false;
  if (key == VK_F1) {
    Command3_Click();
    return true;
  }
  if (key == VK_F5) {
    RereadFolders();
    return true;
  }
  if (key == 'L' && Held(VK_CONTROL) && !Held(VK_MENU)) {
    // Selected, as a file manager's location field does: what is typed replaces it.
    const bool directories = state_.TargetKind;
    ShowPathField(directories, trees_[directories ? 0 : 1].path, true);
    return true;
  }
  if (in_picker && ((key == 'V' && Held(VK_CONTROL)) || (key == VK_INSERT && Held(VK_SHIFT)))) {
    const std::string pasted = ClipboardText(hwnd_);
    const std::size_t begin = pasted.find_first_not_of(" \t\r\n");
    ShowPathField(picker_of_dirs,
                  begin == std::string::npos
                      ? std::string()
                      : pasted.substr(begin, pasted.find_last_not_of(" \t\r\n") - begin + 1),
                  false);
    return true;
  }
  return false;
}

}  // namespace kestro
