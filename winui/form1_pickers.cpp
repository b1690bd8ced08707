// Form1Window's pickers: the drive lists, the directory tree lists (a click chooses the folder, a
// double-click opens it) and the multi-selection lists, over the shared picker rules, and how the
// trees and lists draw their entries.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "batch/form1_design.h"
#include "batch/pickers.h"
#include "batch/window_batch.h"
#include "engine/printable_text.h"
#include "platform/listing.h"
#include "winui/entry_list_accessible.h"
#include "winui/form1_window.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

bool SamePathStart(const std::wstring& path, const std::wstring& root) {
  if (root.size() > path.size()) return false;
  return std::equal(root.begin(), root.end(), path.begin(), [](wchar_t a, wchar_t b) {
    return std::towlower(a) == std::towlower(b) || (a == L'/' && b == L'\\') ||
           (a == L'\\' && b == L'/');
  });
}

// Shows in `combo` the drive `path` lies on, without a notification.
void ShowDriveOf(HWND combo, const std::string& path) {
  const std::wstring wide = Wide(path);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  int best = -1;
  std::size_t best_length = 0;
  for (int i = 0; i < count; ++i) {
    wchar_t drive[MAX_PATH] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) >= MAX_PATH) continue;
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(drive));
    const std::wstring root = drive;
    if (root.size() > best_length && SamePathStart(wide, root)) {
      best = i;
      best_length = root.size();
    }
  }
  SendMessageW(combo, CB_SETCURSEL, best, 0);
}

}  // namespace

Status Form1Window::OpenTree(bool directories, const std::string& folder, FolderListing* listing) {
  std::string absolute;
  Status status = services_.fs.AbsoluteFolder(folder, &absolute);
  if (!status.ok()) return status;
  std::vector<std::string> subdirectories;
  if (listing != nullptr) {
    status = ListFolder(services_.fs, absolute, state_.file_mask, listing);
    if (status.ok()) subdirectories = listing->directories;
  } else {
    status = ListEntries(services_.fs, absolute, EntryKind::kDirectory, "", &subdirectories);
  }
  if (!status.ok()) return status;
  Tree& tree = trees_[directories ? 0 : 1];
  tree.rows = FolderSteps(services_.fs, absolute);
  if (tree.rows.empty()) tree.rows.push_back({absolute, absolute});
  tree.depth.clear();
  for (std::size_t i = 0; i < tree.rows.size(); ++i) tree.depth.push_back(static_cast<int>(i));
  const std::size_t open_row = tree.rows.size() - 1;
  for (std::string& name : subdirectories) {
    tree.rows.push_back({services_.fs.JoinPath(absolute, name), std::move(name)});
    tree.depth.push_back(static_cast<int>(open_row) + 1);
  }
  tree.path = absolute;
  tree.open_row = open_row;

  HWND list = Control(directories ? "Dir1" : "Dir3");
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < tree.rows.size(); ++i) {
    // Indented by its depth and marked open or closed when drawn (DrawListEntry).
    SendMessageW(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(PrintableText(tree.rows[i].name)).c_str()));
  }
  SendMessageW(list, LB_SETCURSEL, open_row, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  ShowDriveOf(Control(directories ? "Drive1" : "Drive2"), absolute);
  return Status();
}

Status Form1Window::OpenFolder(bool directories, const std::string& folder) {
  // One reading of the folder serves the tree and the page's list.
  FolderListing listing;
  const Status status = OpenTree(directories, folder, &listing);
  if (!status.ok()) return status;
  FolderChosen(directories, &listing);
  return Status();
}

void Form1Window::FillDrives(bool directories) {
  HWND combo = Control(directories ? "Drive1" : "Drive2");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  wchar_t drives[1024] = {};
  const DWORD length = GetLogicalDriveStringsW(1023, drives);
  for (const wchar_t* drive = drives; length > 0 && length < 1024 && *drive != L'\0';
       drive += wcslen(drive) + 1) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
  }
  ShowDriveOf(combo, trees_[directories ? 0 : 1].path);
}

void Form1Window::DriveChosen(bool directories) {
  HWND combo = Control(directories ? "Drive1" : "Drive2");
  const int chosen = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  wchar_t drive[MAX_PATH] = {};
  if (chosen < 0 || SendMessageW(combo, CB_GETLBTEXTLEN, chosen, 0) >= MAX_PATH) return;
  SendMessageW(combo, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(drive));
  const Status status = OpenTree(directories, Utf8(drive));
  if (!status.ok()) {
    // A drive without a medium, say: the list goes back to the drive shown before.
    ShowDriveOf(combo, trees_[directories ? 0 : 1].path);
    ShowPathError(status.message());
    return;
  }
  FolderOpened();
}

void Form1Window::TreeClicked(bool directories, bool open) {
  Tree& tree = trees_[directories ? 0 : 1];
  const auto row =
      static_cast<int>(SendMessageW(Control(directories ? "Dir1" : "Dir3"), LB_GETCURSEL, 0, 0));
  if (row < 0 || static_cast<std::size_t>(row) >= tree.rows.size()) return;
  const std::string folder = tree.rows[static_cast<std::size_t>(row)].path;
  if (open) {
    const Status status = OpenTree(directories, folder);
    if (status.ok()) {
      FolderOpened();
    } else {
      ShowPathError(status.message());
    }
    return;
  }
  if (directories) {
    Dir1_Click();
  } else {
    Dir3_Click();
  }
}

void Form1Window::Dir1_Click() { FolderChosen(true, nullptr); }

void Form1Window::Dir3_Click() { FolderChosen(false, nullptr); }

void Form1Window::FolderChosen(bool directories, FolderListing* listing) {
  const Tree& tree = trees_[directories ? 0 : 1];
  const auto row =
      static_cast<int>(SendMessageW(Control(directories ? "Dir1" : "Dir3"), LB_GETCURSEL, 0, 0));
  const std::string folder = row >= 0 && static_cast<std::size_t>(row) < tree.rows.size()
                                 ? tree.rows[static_cast<std::size_t>(row)].path
                                 : tree.path;
  FileSystem& fs = services_.fs;
  SettingsStore& settings = services_.settings;
  const Status status = listing != nullptr && folder == tree.path
                            ? ChooseListedFolder(state_, *batch_, fs, settings, directories, folder,
                                                 std::move(*listing))
                        : directories
                            ? ChooseDirectoriesFolder(state_, *batch_, fs, settings, folder)
                            : ChooseFilesFolder(state_, *batch_, fs, settings, folder);
  FillList(directories);
  if (status.ok()) {
    FolderOpened();
  } else {
    ShowPathError(status.message());
  }
  SchedulePreview();
}

void Form1Window::FillList(bool directories) {
  const SelectableList& entries = directories ? state_.List1 : state_.List2;
  HWND list = Control(directories ? "List1" : "List2");
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, LB_INITSTORAGE, entries.size(), entries.size() * 32);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SendMessageW(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(PrintableText(entries.at(i))).c_str()));
    if (entries.selected(i)) SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  ListRefilled(directories);
}

void Form1Window::ListSelectionChanged(bool directories) {
  SelectableList& entries = directories ? state_.List1 : state_.List2;
  HWND list = Control(directories ? "List1" : "List2");
  const auto count = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  std::vector<int> selected(static_cast<std::size_t>(std::max(count, 0)));
  if (count > 0) {
    SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(selected.data()));
  }
  std::vector<char> ticked(entries.size(), 0);
  for (int i : selected) {
    if (i >= 0 && static_cast<std::size_t>(i) < entries.size())
      ticked[static_cast<std::size_t>(i)] = 1;
  }
  std::size_t first = entries.size(), last = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries.selected(i) != (ticked[i] != 0)) {
      entries.SetSelected(i, ticked[i] != 0);
      first = std::min(first, i);
      last = i;
    }
  }
  if (first > last) return;
  SayEntriesChecked(list, first, last);
  ShowCount(directories);
  SchedulePreview();
}

LRESULT CALLBACK Form1Window::ListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_GETOBJECT) {
    if (const LRESULT answer = self->ListObject(hwnd, wparam, lparam)) return answer;
  } else if (self->ListComfort(hwnd, message, wparam, lparam)) {
    return 0;
  }
  const LRESULT result = CallWindowProcW(self->list_proc_, hwnd, message, wparam, lparam);
  // The list box may tick an entry by Space without telling its parent (no LBN_SELCHANGE), so the
  // ticks are read again after every key: what the list shows is what the batch renames.
  if (message == WM_KEYDOWN || message == WM_CHAR) {
    self->ListSelectionChanged(hwnd == self->Control("List1"));
  }
  return result;
}

void Form1Window::SelectAll(bool directories, bool on) {
  (directories ? state_.List1 : state_.List2).SelectAll(on);
  SendMessageW(Control(directories ? "List1" : "List2"), LB_SETSEL, on ? TRUE : FALSE, -1);
  ShowCount(directories);
  SchedulePreview();
}

void Form1Window::DrawListEntry(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  const int side = area.bottom - area.top - 4;
  RECT box{area.left + 2, area.top + 2, area.left + 2 + side, area.top + 2 + side};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const Tree* tree = item.hwndItem == Control("Dir1")   ? &trees_[0]
                     : item.hwndItem == Control("Dir3") ? &trees_[1]
                                                        : nullptr;
  const bool highlight = tree != nullptr && selected;
  FillRect(dc, &area, GetSysColorBrush(highlight ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (tree == nullptr) {
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (selected ? DFCS_CHECKED : 0));
  } else if (item.itemID < tree->depth.size()) {
    const int indent = tree->depth[item.itemID] * TwipsToPixels(180, scale_);
    OffsetRect(&box, indent, 0);
    // A folder: its tab and its body, lighter for the folders on the way down to the open one.
    const bool open = item.itemID <= tree->open_row;
    HBRUSH paint = CreateSolidBrush(open ? RGB(122, 170, 226) : RGB(74, 128, 196));
    const RECT tab{box.left, box.top + 1, box.left + side / 2, box.top + 4};
    const RECT body{box.left, box.top + 3, box.right, box.bottom - 1};
    FillRect(dc, &tab, paint);
    FillRect(dc, &body, paint);
    DeleteObject(paint);
  }
  const auto length = static_cast<int>(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0));
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  RECT text_area{box.right + 4, area.top, area.right, area.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(dc, text.c_str(), length, &text_area,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &area);
}

void Form1Window::RefreshAfterBatch(const BatchReport& report, std::string* status) {
  // A page on a folder that the batch renamed, or on one below it, follows it to its new name;
  // one on a folder gone otherwise shows the nearest folder above it that is still there.
  std::string gone;
  if (report.ran) {
    const std::string dirs =
        FolderAfterBatch(services_.fs, state_.dirs_folder, report, true, &gone);
    if (!dirs.empty()) {
      ChooseDirectoriesFolder(state_, *batch_, services_.fs, services_.settings, dirs);
    }
    const std::string files = FolderAfterBatch(services_.fs, state_.files_folder, report, false,
                                               gone.empty() ? &gone : nullptr);
    if (!files.empty()) ChooseFilesFolder(state_, *batch_, services_.fs, services_.settings, files);
  }
  *status += gone;
  // The trees show renamed sub-directories by their new names.
  for (bool directories : {true, false}) {
    const std::string& folder = directories ? state_.dirs_folder : state_.files_folder;
    if (!OpenTree(directories, folder).ok())
      OpenTree(directories, trees_[directories ? 0 : 1].path);
    FillList(directories);
  }
}

}  // namespace kestro
