// The Win32 window's figures on a large folder, under Wine or on Windows:
//   windows_window_bench <folder> [rounds]
// times, for the files of <folder> (made beforehand, e.g. by bench/windows_window_bench.sh), a
// bare FindFirstFileExW listing, the platform's listing in natural order (ListEntries), the window
// opening the folder (its tree, then List2), List2 read and filled again as a click on the folder
// does, "Select All", F5 and the folder timer's look, and the outcome preview of every file with
// Extension ".bak": how long the window's thread is held by the request, and how long until the
// preview is shown. Prints the median of the rounds in milliseconds.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "batch/recording_ui_host.h"
#include "platform/listing.h"
#include "platform/native_file_system.h"
#include "platform/windows/wide_text.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

class NoOpener : public DocumentOpener {
 public:
  Status Open(const std::string&) override { return Status(); }
};

double MillisecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

std::size_t BareListing(const std::string& folder) {
  std::size_t count = 0;
  WIN32_FIND_DATAW data{};
  const HANDLE find =
      FindFirstFileExW((WideFromUtf8(folder).value() + L"\\*").c_str(), FindExInfoBasic, &data,
                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

void PumpUntil(const std::function<bool()>& done) {
  while (!done()) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Run(const std::string& folder, int rounds) {
  InitCommonControls();
  const std::unique_ptr<FileSystem> fs = NewNativeFileSystem();
  MemorySettingsStore settings;
  SystemClock clock;
  NoOpener opener;
  RecordingUiHost ui;
  std::vector<double> bare, listing, open, refill, select, reread, look, request, preview;
  std::size_t files = 0;
  std::string summary;
  for (int round = 0; round < rounds; ++round) {
    bare.push_back(MillisecondsOf([&] { files = BareListing(folder); }));
    std::vector<std::string> names;
    listing.push_back(
        MillisecondsOf([&] { (void)ListEntries(*fs, folder, EntryKind::kFile, "*.*", &names); }));
    WindowState state;
    Form1Window window(state, Form1WindowServices{*fs, settings, clock, opener, nullptr, &ui,
                                                  "guide.htm", /*quit_on_close=*/false});
    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    HWND summary_line = FindNamedControl(window.hwnd(), "PreviewSummary");
    open.push_back(MillisecondsOf([&] { (void)window.OpenFolder(false, folder); }));
    refill.push_back(MillisecondsOf([&] { window.Dir3_Click(); }));
    select.push_back(MillisecondsOf(
        [&] { SendMessageW(FindNamedControl(window.hwnd(), "Command7"), BM_CLICK, 0, 0); }));
    // F5 with every file selected, which it keeps; a look for changes by the folder timer.
    reread.push_back(MillisecondsOf([&] {
      MSG f5{FindNamedControl(window.hwnd(), "List2"), WM_KEYDOWN, VK_F5, 0, 0, {}};
      window.PreTranslate(f5);
    }));
    look.push_back(MillisecondsOf(
        [&] { SendMessageW(window.hwnd(), WM_TIMER, Form1Window::kFolderTimer, 0); }));
    state.TargetKind = false;
    state.active_operation = ActiveOperation::Extension;
    state.extad = ".bak";
    SendMessageW(FindNamedControl(window.hwnd(), "PreviewToggle"), BM_CLICK, 0, 0);
    PumpUntil([&] { return WindowText(summary_line) != "Working out the outcome..."; });
    // The names are read; what an edit costs from here.
    const auto start = std::chrono::steady_clock::now();
    request.push_back(MillisecondsOf([&] { window.UpdatePreview(); }));
    PumpUntil([&] { return WindowText(summary_line) != "Working out the outcome..."; });
    preview.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    summary = WindowText(summary_line);
  }
  std::printf("entries in the folder:            %zu\n", files);
  std::printf("bare FindFirstFileExW listing:    %8.1f ms\n", Median(bare));
  std::printf("ListEntries (mask, natural order):%8.1f ms\n", Median(listing));
  std::printf("window opens the folder (tree, List2): %8.1f ms\n", Median(open));
  std::printf("List2 read again (Dir3_Click):    %8.1f ms\n", Median(refill));
  std::printf("Select All:                       %8.1f ms\n", Median(select));
  std::printf("F5, every file selected:          %8.1f ms\n", Median(reread));
  std::printf("folder timer's look, no change:   %8.1f ms\n", Median(look));
  std::printf("preview request (window thread):  %8.1f ms\n", Median(request));
  std::printf("preview shown after the request:  %8.1f ms\n", Median(preview));
  std::printf("preview: %s\n", summary.c_str());
  return 0;
}

}  // namespace
}  // namespace kestro

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: windows_window_bench <folder> [rounds]\n");
    return 2;
  }
  return kestro::Run(argv[1], argc > 2 ? std::atoi(argv[2]) : 3);
}
