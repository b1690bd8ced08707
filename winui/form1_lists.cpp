// Form1Window's entry lists (List1, List2) as the Qt window has them: a click toggles one entry,
// Shift+click gives a range the state the click gives its last entry (batch/list_selection.h),
// Ctrl+A selects every entry, and each change of the selection says its count on the status line.
#include <windows.h>

#include <algorithm>

#include "winui/entry_list_accessible.h"
#include "winui/form1_window.h"
#include "winui/win32_text.h"

namespace kestro {

bool Form1Window::ListComfort(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
  const bool directories = list == Control("List1");
  if (message == WM_KEYDOWN && wparam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    SelectAll(directories, true);
    return true;
  }
  if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return false;
  // The row under the mouse worked out here: LB_ITEMFROMPOINT gives 16 bits of it, too few for a
  // folder of 100,000 entries.
  const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const int y = static_cast<short>(HIWORD(lparam));
  if (height <= 0 || y < 0) return false;
  const auto row = static_cast<std::size_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)) +
                   static_cast<std::size_t>(y / height);
  if (row >= (directories ? state_.List1 : state_.List2).size()) return false;
  SetFocus(list);
  SendMessageW(list, LB_SETCARETINDEX, row, FALSE);
  ListClicked(directories, row, (wparam & MK_SHIFT) != 0);
  return true;
}

LRESULT Form1Window::ListObject(HWND list, WPARAM wparam, LPARAM lparam) {
  const bool directories = list == Control("List1");
  return AnswerEntryListObject(list, wparam, lparam, [this, directories](std::size_t row) {
    if (hwnd_ != nullptr && row < (directories ? state_.List1 : state_.List2).size())
      ListClicked(directories, row, false);
  });
}

void Form1Window::ListClicked(bool directories, std::size_t row, bool extend) {
  SelectableList& entries = directories ? state_.List1 : state_.List2;
  const ListClicks::Range range =
      clicks_[directories ? 0 : 1].Click(row, entries.selected(row), extend);
  for (std::size_t i = range.first; i <= range.last; ++i) entries.SetSelected(i, range.on);
  HWND list = Control(directories ? "List1" : "List2");
  if (range.first == range.last) {
    SendMessageW(list, LB_SETSEL, range.on ? TRUE : FALSE, static_cast<LPARAM>(range.first));
  } else if (range.on) {
    SendMessageW(list, LB_SELITEMRANGEEX, range.first, static_cast<LPARAM>(range.last));
  } else {
    // The larger index first deselects.
    SendMessageW(list, LB_SELITEMRANGEEX, range.last, static_cast<LPARAM>(range.first));
  }
  SayEntriesChecked(list, range.first, range.last);
  ShowCount(directories);
  SchedulePreview();
}

void Form1Window::ShowCount(bool directories) {
  const SelectableList& entries = directories ? state_.List1 : state_.List2;
  ShowStatus(SelectionCountText(entries.SelectedCount(), entries.size(), LocaleCount), {},
             StatusLine::About::kSelection, directories,
             directories ? state_.dirs_folder : state_.files_folder);
}

void Form1Window::ShowTicks(bool directories) {
  const SelectableList& entries = directories ? state_.List1 : state_.List2;
  HWND list = Control(directories ? "List1" : "List2");
  SendMessageW(list, LB_SETSEL, FALSE, -1);
  // A run of selected entries at a time: all 100,000 of a folder selected are one message.
  for (std::size_t first = 0; first < entries.size(); ++first) {
    if (!entries.selected(first)) continue;
    std::size_t last = first;
    while (last + 1 < entries.size() && entries.selected(last + 1)) ++last;
    SendMessageW(list, LB_SELITEMRANGEEX, first, static_cast<LPARAM>(last));
    first = last;
  }
}

void Form1Window::ListRefilled(bool directories) {
  clicks_[directories ? 0 : 1].Forget();
  const SelectableList& entries = directories ? state_.List1 : state_.List2;
  const std::string& folder = directories ? state_.dirs_folder : state_.files_folder;
  if (status_line_.ListChanged(
          directories, folder,
          SelectionCountText(entries.SelectedCount(), entries.size(), LocaleCount))) {
    const bool count = status_line_.about() == StatusLine::About::kSelection;
    ShowStatus(status_line_.text(), {}, status_line_.about(), count && directories,
               count ? folder : std::string());
  }
}

}  // namespace kestro
