// The Win32 Form1's outcome preview on its worker: the window answers while a preview runs, and
// of two requests only the newer is shown. Runs under Wine, with or without a display.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "batch/form1_design.h"
#include "batch/recording_ui_host.h"
#include "platform/native_file_system.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

class NoOpener : public DocumentOpener {
 public:
  Status Open(const std::string&) override { return Status(); }
};

// The disk, except that the first listing of every name waits (ten seconds at most) until the
// test lets it go on: a preview caught while it runs.
class GatedFileSystem : public FileSystem {
 public:
  explicit GatedFileSystem(FileSystem& disk) : disk_(disk) {}
  ~GatedFileSystem() override {
    CloseHandle(entered_);
    CloseHandle(release_);
  }
  bool WaitUntilEntered() { return WaitForSingleObject(entered_, 10000) == WAIT_OBJECT_0; }
  void Release() { SetEvent(release_); }

  Status AbsoluteFolder(std::string_view path, std::string* absolute) override {
    return disk_.AbsoluteFolder(path, absolute);
  }
  Status ListNames(const std::string& folder, EntryKind kind,
                   std::vector<std::string>* names) override {
    return disk_.ListNames(folder, kind, names);
  }
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override {
    if (!gated_once_.exchange(true)) {
      SetEvent(entered_);
      WaitForSingleObject(release_, 10000);
    }
    return disk_.ListAllNames(folder, names);
  }
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override {
    return disk_.RenameNoReplace(folder, old_name, new_name);
  }
  [[nodiscard]] std::string JoinPath(std::string_view folder,
                                     std::string_view name) const override {
    return disk_.JoinPath(folder, name);
  }
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override {
    return disk_.HoldsSeparator(name);
  }
  [[nodiscard]] bool NamesIgnoreCase() const override { return disk_.NamesIgnoreCase(); }
  [[nodiscard]] Status CheckPlatformName(std::string_view name) const override {
    return disk_.CheckPlatformName(name);
  }

 private:
  FileSystem& disk_;
  std::atomic<bool> gated_once_{false};
  HANDLE entered_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

// Handles the thread's messages until `done` or ten seconds; false on the time running out.
bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

TEST(Form1PreviewTest, TheWindowAnswersWhileAPreviewRunsAndShowsTheNewestRequest) {
  InitCommonControls();
  const fs::path folder =
      fs::temp_directory_path() / ("kestro-winui-preview-" + std::to_string(GetCurrentProcessId()));
  fs::remove_all(folder);
  fs::create_directories(folder / "trip");
  for (const char* file : {"a.txt", "c.txt"}) std::ofstream(folder / file) << file;
  const std::unique_ptr<FileSystem> disk = NewNativeFileSystem();
  GatedFileSystem gated(*disk);
  MemorySettingsStore settings;
  settings.Set(kSettingsApplication, kSettingsSection, "LastDir", folder.string());
  const FixedClock clock({2026, 12, 4});
  NoOpener opener;
  RecordingUiHost ui;
  WindowState state;
  {
    Form1Window window(state, Form1WindowServices{gated, settings, clock, opener, nullptr, &ui,
                                                  "guide.htm", /*quit_on_close=*/false});
    const auto find = [&window](const char* name) { return FindNamedControl(window.hwnd(), name); };
    // Another thread asks the window for an answer while the preview's listing is held up.
    std::atomic<bool> asked{false};
    std::atomic<bool> answered{false};
    std::thread asker([&] {
      if (gated.WaitUntilEntered()) {
        DWORD_PTR result = 0;
        answered =
            SendMessageTimeoutW(window.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result) != 0;
      }
      asked = true;
    });
    SendMessageW(find("PreviewToggle"), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&asked] { return asked.load(); }));
    asker.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(WindowText(find(kPreviewSummaryName)), "Working out the outcome...");

    // A newer request while the first still waits: the files page, "c.txt" with ".bak".
    const auto choose_tab = [&](const char* strip, const wchar_t* caption) {
      HWND tabs = find(strip);
      for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        wchar_t text[64] = L"";
        TCITEMW item{TCIF_TEXT, 0, 0, text, 64, 0, 0};
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        if (std::wstring(text) == caption) TabCtrl_SetCurSel(tabs, i);
      }
      NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)),
                   static_cast<UINT>(TCN_SELCHANGE)};
      SendMessageW(window.hwnd(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    };
    choose_tab("TabStrip2", L"Files");
    choose_tab("TabStrip1", L"Extension");
    SendMessageW(find("Command15"), BM_CLICK, 0, 0);
    HWND list = find("List2");
    const LRESULT row =
        SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"c.txt"));
    ASSERT_NE(row, LB_ERR);
    SendMessageW(list, LB_SETSEL, TRUE, row);
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    window.UpdatePreview();
    gated.Release();
    EXPECT_TRUE(PumpUntil(
        [&] { return WindowText(find(kPreviewSummaryName)) == "1 of 1 would be renamed."; }));
    HWND preview = find(kPreviewListName);
    ASSERT_EQ(ListView_GetItemCount(preview), 1);
    wchar_t cell[64] = L"";
    ListView_GetItemText(preview, 0, 1, cell, 64);
    EXPECT_EQ(Utf8(cell), "c.txt.bak");
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace kestro
