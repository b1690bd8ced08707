// The Win32 Form1's outcome preview on its worker: the window answers while a preview runs, and
// of two requests only the newer is shown. Runs under Wine, with or without a display.
#include <atomic>
#include <thread>

#include "platform/windows/windows_file_system.h"
#include "winui/form1_window_fixture.h"

namespace kestro {
namespace {

// The disk, except that the first listing of every name waits (ten seconds at most) until the
// test lets it go on: a preview caught while it runs.
class GatedFileSystem : public WindowsFileSystem {
 public:
  ~GatedFileSystem() override {
    CloseHandle(entered_);
    CloseHandle(release_);
  }
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override {
    if (!gated_once_.exchange(true)) {
      SetEvent(entered_);
      WaitForSingleObject(release_, 10000);
    }
    return WindowsFileSystem::ListAllNames(folder, names);
  }
  std::atomic<bool> gated_once_{false};
  HANDLE entered_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

class Form1PreviewTest : public Form1WindowTest {
 protected:
  GatedFileSystem gated_;  // outlives the window, which the fixture closes first
};

TEST_F(Form1PreviewTest, TheWindowAnswersWhileAPreviewRunsAndShowsTheNewestRequest) {
  Start(gated_);
  // Another thread asks the window for an answer while the preview's listing is held up.
  std::atomic<bool> asked{false};
  std::atomic<bool> answered{false};
  std::thread asker([&] {
    if (WaitForSingleObject(gated_.entered_, 10000) == WAIT_OBJECT_0) {
      DWORD_PTR result = 0;
      answered =
          SendMessageTimeoutW(window_->hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result) != 0;
    }
    asked = true;
  });
  Click("PreviewToggle");
  EXPECT_TRUE(PumpUntil([&asked] { return asked.load(); }));
  asker.join();
  EXPECT_TRUE(answered);
  EXPECT_EQ(WindowText(Find(kPreviewSummaryName)), "Working out the outcome...");

  // A newer request while the first still waits: the files page, "c.txt" with ".bak".
  ChooseTab("TabStrip2", "Files");
  ChooseTab("TabStrip1", "Extension");
  Click("Command15");
  Select("List2", "c.txt");
  window_->UpdatePreview();
  SetEvent(gated_.release_);
  EXPECT_TRUE(PumpUntil(
      [&] { return WindowText(Find(kPreviewSummaryName)) == "1 of 1 would be renamed."; }));
  HWND preview = Find(kPreviewListName);
  ASSERT_EQ(ListView_GetItemCount(preview), 1);
  wchar_t cell[64] = L"";
  ListView_GetItemText(preview, 0, 1, cell, 64);
  EXPECT_EQ(Utf8(cell), "c.txt.bak");
}

}  // namespace
}  // namespace kestro
