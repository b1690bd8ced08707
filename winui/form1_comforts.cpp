// Form1Window's comforts around the design, as the Qt window has them: each button's mnemonic,
// every control's tooltip, a page's path field over its drive list, folders and files dropped
// from Explorer, and the folders read anew on F5 or when another program changes them.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "batch/form1_design.h"
#include "batch/form1_keys.h"
#include "batch/form1_tips.h"
#include "batch/list_reread.h"
#include "batch/path_input.h"
#include "batch/pickers.h"
#include "batch/report_text.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

// How often the folders shown are looked at. A folder being filled by another program is read
// once it has been quiet for a look, and while it keeps changing at least every kLongestWaitMs
// (or four times as long as the last read took), so a folder of 100,000 entries filling up costs
// a few reads, not one per entry.
constexpr UINT kLookMs = 500;
constexpr DWORD kLongestWaitMs = 2000;

constexpr const char* kPathFieldNames[] = {"DirPath1", "DirPath3"};

// When `folder` was last written (an entry made, removed or renamed in it); 0 when it is gone.
unsigned long long LastWritten(const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(folder).c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

// The user's home folder, for "~" in a typed path.
std::string HomeFolder() {
  const wchar_t* home = _wgetenv(L"USERPROFILE");
  return home != nullptr ? Utf8(home) : std::string();
}

}  // namespace

void Form1Window::BuildComforts() {
  // Alt and the underlined letter presses a button (ComfortKey); the tabs' letters are not in
  // their captions' drawing, but work all the same.
  for (const FormControl& design : Form1Controls()) {
    if (const AltKey* key = AltKeyOf(design.name)) {
      SetWindowTextUtf8(Control(design.name), MnemonicCaption(design.caption, key->letter));
    }
  }
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                          nullptr, instance, nullptr);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 600);
  const auto add_tip = [this](HWND control, const char* text) {
    std::wstring wide = Wide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  };
  for (const ControlTip& tip : Form1Tips()) {
    if (HWND control = Control(tip.name)) add_tip(control, tip.text);
  }
  for (bool directories : {true, false}) {
    HWND drive = Control(directories ? "Drive1" : "Drive2");
    RECT place{};
    GetWindowRect(drive, &place);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    const int height = GetComboBoxInfo(drive, &combo) ? combo.rcItem.bottom + combo.rcItem.top
                                                      : place.bottom - place.top;
    HWND field = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, place.left,
        place.top, place.right - place.left, height, hwnd_, nullptr, instance, nullptr);
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    SetControlName(field, kPathFieldNames[directories ? 0 : 1]);
    SetWindowSubclass(field, PathFieldProc, directories ? 1 : 0, reinterpret_cast<DWORD_PTR>(this));
    add_tip(field, kPathFieldTip);
    path_fields_[directories ? 0 : 1] = field;
  }
  DragAcceptFiles(hwnd_, TRUE);
  FolderTick();  // the first look: what the folders are now
  SetTimer(hwnd_, kFolderTimer, kLookMs, nullptr);
}

void Form1Window::ShowPathField(bool directories, const std::string& text, bool selected) {
  HWND field = path_fields_[directories ? 0 : 1];
  SetWindowTextUtf8(field, text);
  SetWindowPos(field, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetFocus(field);
  const auto end = static_cast<LPARAM>(GetWindowTextLengthW(field));
  SendMessageW(field, EM_SETSEL, selected ? 0 : end, end);
}

void Form1Window::HidePathField(bool directories) {
  ShowWindow(path_fields_[directories ? 0 : 1], SW_HIDE);
}

LRESULT CALLBACK Form1Window::PathFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR data) {
  // The field goes when it loses the focus, as the Qt window's does.
  if (message == WM_KILLFOCUS) reinterpret_cast<Form1Window*>(data)->HidePathField(id == 1);
  // Enter and Esc are the field's own (ComfortKey), not the dialog keys'.
  if (message == WM_GETDLGCODE)
    return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, message, wparam, lparam);
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

void Form1Window::OpenTypedPath(bool directories) {
  HWND field = path_fields_[directories ? 0 : 1];
  const std::string folder = ExpandTypedPath(WindowText(field), HomeFolder());
  if (folder.empty()) return;
  if (!OpenChosenFolder(directories, folder).ok()) {
    SendMessageW(field, EM_SETSEL, 0, -1);  // the path stays, to be put right
    return;
  }
  SetFocus(Control(directories ? "Dir1" : "Dir3"));
}

Status Form1Window::OpenChosenFolder(bool directories, const std::string& folder) {
  const DWORD attributes = GetFileAttributesW(Wide(folder).c_str());
  const Status opened =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0
          ? Status::Error(Status::Code::kInvalidName, kNotAFolder)
          : OpenFolder(directories, folder);
  if (!opened.ok()) {
    ShowPathError(CannotOpenLine(folder, opened.message()));
    return opened;
  }
  HWND strip = Control("TabStrip2");
  if (TabCtrl_GetCurSel(strip) != (directories ? 0 : 1)) {
    TabCtrl_SetCurSel(strip, directories ? 0 : 1);
    TabStrip2_Click();
  }
  return opened;
}

void Form1Window::Dropped(HDROP drop) {
  std::vector<DroppedEntry> dropped;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder =
        slash == std::wstring::npos ? L"." : path.substr(0, slash == 2 ? 3 : slash);  // "C:\"
    dropped.push_back({Utf8(path), Utf8(folder), Utf8(path.substr(slash + 1)),
                       (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  }
  DragFinish(drop);
  const DropPlan plan = PlanDrop(dropped, state_.TargetKind);
  if (plan.folder.empty() || !OpenChosenFolder(plan.directories, plan.folder).ok() ||
      plan.select.empty()) {
    return;
  }
  // The dropped files of that folder come selected, ready to rename.
  SelectEntries(state_.List2, plan.select);
  ShowTicks(false);
  ShowCount(false);
  SchedulePreview();
}

void Form1Window::RereadFolders() {
  const DWORD start = GetTickCount();
  const std::string said = RereadBothPages(state_, *batch_, [this](const BatchReport& report) {
    std::string status;
    RefreshAfterBatch(report, &status);
    return status;
  });
  ShowTicks(true);
  ShowTicks(false);
  preview_names_stale_ = true;
  SchedulePreview();
  if (const std::size_t begin = said.find_first_not_of(' '); begin != std::string::npos) {
    ShowStatus(said.substr(begin));
  }
  reread_ms_ = GetTickCount() - start;
}

void Form1Window::NoteFoldersRead() {
  stamps_.clear();
  changed_at_ = 0;
  FolderTick();
}

void Form1Window::FolderTick() {
  std::vector<std::pair<std::string, unsigned long long>> now;
  for (const std::string& folder :
       {state_.dirs_folder, state_.files_folder, trees_[0].path, trees_[1].path}) {
    if (!folder.empty()) now.emplace_back(folder, LastWritten(folder));
  }
  bool same_folders = now.size() == stamps_.size();
  bool changed = false;
  for (std::size_t i = 0; same_folders && i < now.size(); ++i) {
    same_folders = now[i].first == stamps_[i].first;
    changed = changed || now[i].second != stamps_[i].second;
  }
  stamps_ = std::move(now);
  // Other folders shown: the window has just read them.
  if (!same_folders) return;
  const DWORD tick = GetTickCount();
  if (changed && changed_at_ == 0) changed_at_ = tick != 0 ? tick : 1;
  // A folder that takes long to read (100,000 entries under load) is read less often while it
  // keeps changing, so that the window holds the user's input most of the time.
  const DWORD longest = std::max<DWORD>(kLongestWaitMs, 4 * reread_ms_);
  if (changed_at_ == 0 || (changed && tick - changed_at_ < longest)) return;
  // While a batch or a message box holds the window, the lists stay as they are; they are read
  // once it is free again.
  if (!IsWindowEnabled(hwnd_)) return;
  changed_at_ = 0;
  RereadFolders();
  FolderTick();
}

}  // namespace kestro
