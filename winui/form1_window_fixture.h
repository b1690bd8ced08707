// The Win32 Form1 opened on a folder of its own, with what the window tests drive it by: its
// controls found by their "Name" property, clicks, keys through the message loop, and the disk.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "batch/form1_design.h"
#include "batch/recording_ui_host.h"
#include "platform/native_file_system.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/win32_entry.h"
#include "winui/win32_text.h"

namespace kestro {

namespace fs = std::filesystem;

// Child `id` of an accessible object, as MSAA asks for it.
inline VARIANT AccessibleChild(LONG id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

class RecordingOpener : public DocumentOpener {
 public:
  Status Open(const std::string& path) override {
    opened.push_back(path);
    return Status();
  }
  std::vector<std::string> opened;
};

class Form1WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    folder_ = fs::temp_directory_path() /
              ("kestro-winui-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    for (const char* dir : {"photos99", "trip"}) fs::create_directories(folder_ / dir);
    for (const char* file : {"a_b.txt", "c.txt", "d.txt"}) std::ofstream(folder_ / file) << file;
    journal_ = std::make_unique<JournalFolder>((folder_ / "journal").string());
    settings_.Set(kSettingsApplication, kSettingsSection, "LastDir", folder_.string());
    Start(*fs_);
  }
  // A window as the program starts it: a new state, the settings kept so far.
  void Start(FileSystem& fs) {
    window_.reset();
    state_ = WindowState{};
    window_ = std::make_unique<Form1Window>(
        state_, Form1WindowServices{fs, settings_, clock_, opener_, journal_.get(), &ui_,
                                    "guide.htm", /*quit_on_close=*/false});
    ShowWindow(window_->hwnd(), window_->show_command());
  }
  void TearDown() override {
    window_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  HWND Find(const char* name) {
    HWND control = FindNamedControl(window_->hwnd(), name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void Click(const char* name) { SendMessageW(Find(name), BM_CLICK, 0, 0); }
  // Where `name` lies in the window's client area.
  RECT Place(const char* name) {
    RECT r{};
    GetWindowRect(Find(name), &r);
    MapWindowPoints(nullptr, window_->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // Handles the thread's messages until `done` or ten seconds; false on the time running out.
  static bool PumpUntil(const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!done()) {
      if (GetTickCount64() > deadline) return false;
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
  }
  // The preview's timer fires; its worker's result is posted back and taken here.
  void ShowPreview() {
    SendMessageW(window_->hwnd(), WM_TIMER, Form1Window::kPreviewTimer, 0);
    PumpUntil(
        [this] { return WindowText(Find(kPreviewSummaryName)) != "Working out the outcome..."; });
  }
  void Type(const char* name, const char* text) {
    SendMessageW(Find(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  }
  void ChooseTab(const char* strip, const char* caption) {
    HWND tabs = Find(strip);
    wchar_t text[64];
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
      TCITEMW item{TCIF_TEXT, 0, 0, text, 64, 0, 0};
      SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      if (Utf8(text) == caption) TabCtrl_SetCurSel(tabs, i);
    }
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window_->hwnd(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  void Select(const char* list, const char* entry) {
    HWND box = Find(list);
    const LRESULT row =
        SendMessageW(box, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
    ASSERT_NE(row, LB_ERR) << entry;
    SendMessageW(box, LB_SETSEL, TRUE, row);
    SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
  }
  bool OnDisk(const char* name) { return fs::exists(folder_ / name); }
  // Lets the program's message loop handle what is waiting, as it would between a user's keys.
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchWin32Message(message, [this](const MSG& m) { return window_->PreTranslate(m); });
    }
  }
  // A key pressed and released on the focused control, through the message loop.
  void Press(UINT key) {
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr);
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(focus, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
    Pump();
  }

  fs::path folder_;
  std::unique_ptr<FileSystem> fs_ = NewNativeFileSystem();
  MemorySettingsStore settings_;
  FixedClock clock_{{2026, 12, 4}};
  RecordingOpener opener_;
  RecordingUiHost ui_;
  std::unique_ptr<JournalFolder> journal_;
  WindowState state_;
  std::unique_ptr<Form1Window> window_;
};

}  // namespace kestro
