// The Win32 Form1 as it grows, as it is remembered and restored, and as it reads a folder; the
// small windows at a new DPI. Runs under Wine, with or without a display.
#include <algorithm>
#include <cmath>

#include "batch/form1_rules.h"
#include "batch/session_settings.h"
#include "platform/memory_file_system.h"
#include "winui/about_window.h"
#include "winui/form1_window_fixture.h"
#include "winui/guide_viewer.h"
#include "winui/help_window.h"
#include "winui/progress_window.h"
#include "winui/splash_window.h"
#include "winui/win32_fonts.h"

namespace kestro {
namespace {

class Form1LayoutTest : public Form1WindowTest {
 protected:
  SIZE Client() {
    RECT r{};
    GetClientRect(window_->hwnd(), &r);
    return {r.right, r.bottom};
  }
  void Grow(int dx, int dy) {
    RECT r{};
    GetWindowRect(window_->hwnd(), &r);
    SetWindowPos(window_->hwnd(), nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
};

TEST_F(Form1LayoutTest, AGrownWindowGivesItsRoomToTheTreesListsAndPreviewWithItsDesignAsLeast) {
  const double scale = ScreenScale();
  const int width = TwipsToPixels(kForm1DesignWidth, scale);
  const int height = TwipsToPixels(kForm1ClientHeight, scale);
  const int preview = TwipsToPixels(kForm1PreviewWidth, scale);
  MINMAXINFO limits{};
  SendMessageW(window_->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  const SIZE least = OuterSize(width, height, Form1Window::kWindowStyle, 0);
  EXPECT_EQ(limits.ptMinTrackSize.x, least.cx);
  EXPECT_EQ(limits.ptMinTrackSize.y, least.cy);

  const RECT list = Place("List2"), tree = Place("Dir3"), quit = Place("Command1");
  const RECT status = Place("StatusLine");
  Grow(0, 60);
  EXPECT_EQ(Place("Dir3").bottom - tree.bottom, 20);
  EXPECT_EQ(Place("List2").bottom - list.bottom, 60);
  EXPECT_EQ(Place("StatusLine").bottom - status.bottom, 60);

  // The preview widens the window by its own width (Wine's screen has no room for more), grows
  // with its height, and its width joins the least.
  Click("PreviewToggle");
  EXPECT_EQ(Client().cx, width + preview);
  EXPECT_NEAR(Place(kPreviewListName).right, Client().cx - TwipsToPixels(72, scale), 1);
  EXPECT_EQ(Place(kPreviewListName).bottom - Place("List2").bottom,
            TwipsToPixels(kForm1ClientHeight - 72, scale) - list.bottom);
  SendMessageW(window_->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x,
            OuterSize(width + preview, height, Form1Window::kWindowStyle, 0).cx);
  Click("PreviewToggle");
  EXPECT_EQ(Client().cx, width);

  Grow(90, 0);
  EXPECT_EQ(Place("List2").right - list.right, 90);
  EXPECT_EQ(Place("Command1").left - quit.left, 90);
  EXPECT_EQ(Place("StatusLine").right - status.right, 90);
}

TEST_F(Form1LayoutTest, ARestartBringsTheSessionThePreviewAndThePlacementBackMaximisedToo) {
  ChooseTab("TabStrip2", "Files");
  ChooseTab("TabStrip1", "Strip");
  Type("Text6", "7");
  Click("rightoption");
  Click("PreviewToggle");
  Grow(0, 30);  // Wine's screen may be narrower than the window with its preview
  SetWindowPos(window_->hwnd(), nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT was{}, work{};
  GetWindowRect(window_->hwnd(), &was);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const SIZE client = Client();
  const RECT list = Place("List2");
  Click("Command1");

  for (const bool maximised : {false, true}) {
    Start(*fs_);
    SCOPED_TRACE(maximised ? "maximised" : "normal");
    EXPECT_EQ(state_.active_operation, ActiveOperation::Strip);
    EXPECT_EQ(TabCtrl_GetCurSel(Find("TabStrip1")), 1);
    EXPECT_TRUE(IsWindowVisible(Find("Text6")));
    EXPECT_EQ(WindowText(Find("Text6")), "7");
    EXPECT_EQ(WindowText(Find("before")), kExampleFilename);  // the Files page's example
    EXPECT_FALSE(state_.leftoption);
    EXPECT_EQ(SendMessageW(Find("PreviewToggle"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowVisible(Find(kPreviewListName)));
    EXPECT_EQ(IsZoomed(window_->hwnd()) != FALSE, maximised);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_->hwnd(), &placement);
    const RECT& normal = placement.rcNormalPosition;
    EXPECT_EQ(normal.right - normal.left, was.right - was.left);
    EXPECT_EQ(normal.bottom - normal.top, was.bottom - was.top);
    if (!maximised) {
      EXPECT_EQ(Client().cx, client.cx);
      EXPECT_EQ(Client().cy, client.cy);
      const RECT list_now = Place("List2");
      EXPECT_TRUE(EqualRect(&list_now, &list));
      // Where it was, as far as the screen lets it be.
      RECT now{};
      GetWindowRect(window_->hwnd(), &now);
      const PixelRect kept =
          KeepOnScreen({was.left, was.top, was.right - was.left, was.bottom - was.top},
                       {work.left, work.top, work.right - work.left, work.bottom - work.top});
      EXPECT_EQ(now.left, kept.x);
      EXPECT_EQ(now.top, kept.y);
      ShowWindow(window_->hwnd(), SW_MAXIMIZE);
    }
    Click("Command1");
  }
  // A place on a screen no longer there comes back whole on one that is.
  settings_.Set(kSettingsApplication, kSettingsSection, kWindowPositionKey, "-20000,-20000");
  settings_.Set(kSettingsApplication, kSettingsSection, kMaximizedKey, "0");
  Start(*fs_);
  RECT now{};
  GetWindowRect(window_->hwnd(), &now);
  EXPECT_GE(now.left, work.left);
  EXPECT_GE(now.top, work.top);
  EXPECT_LT(now.top, work.bottom);
}

TEST_F(Form1LayoutTest, OpeningAFolderReadsItOnceForItsTreeAndItsList) {
  MemoryFileSystem memory;
  for (const char* name : {"b.jpg", "a.jpg"}) memory.AddFile("/photos", name);
  memory.AddDirectory("/photos", "trip");
  settings_.Set(kSettingsApplication, kSettingsSection, "LastDir", "/");
  Start(memory);
  for (const bool directories : {false, true}) {
    const int before = memory.readings("/photos");
    ASSERT_TRUE(window_->OpenFolder(directories, "/photos").ok());
    EXPECT_EQ(memory.readings("/photos") - before, 1) << directories;
  }
  EXPECT_EQ(state_.List2.size(), 2u);
  EXPECT_EQ(state_.List2.at(0), "a.jpg");
  EXPECT_EQ(state_.List1.size(), 1u);
  EXPECT_EQ(SendMessageW(Find("List2"), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(Find("Dir3"), LB_GETCOUNT, 0, 0), 3);  // "/", "photos", "trip"
  window_.reset();                                              // before the file system it reads
}

// Moved to a screen of 1.5 times the DPI, each small window takes the rectangle the system
// suggests, its controls and fonts half as large again.
TEST_F(Form1LayoutTest, ANewDpiScalesTheSmallWindowsPlacesAndFontsToTheSuggestedRectangle) {
  using Opened = std::pair<std::shared_ptr<void>, HWND>;
  const auto held = [](const auto& window) { return Opened(window, window->hwnd()); };
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
  struct Case {
    const char* what;
    std::function<Opened()> open;
    const char* control;  // one to measure; nullptr: a picture only
    bool fills = false;   // it fills the window's client area whatever its scale
  } const cases[] = {
      {"about", [&] { return held(std::make_shared<AboutWindow>(owner)); }, "Command1"},
      {"help", [&] { return held(std::make_shared<HelpWindow>(opener_, ui_, "g.htm", [] {})); },
       "Command1"},
      {"guide", [&] { return held(std::make_shared<GuideViewer>("text")); }, "GuideText", true},
      {"progress",
       [&] {
         auto window = std::make_shared<ProgressWindow>(owner, "%1 of %2");
         Sleep(600);  // it shows itself only when a batch takes a while
         window->Step(1, 2);
         return Opened(window, FindWindowW(L"KestrovaneProgress", nullptr));
       },
       "Cancel"},
      {"splash", [&] { return held(std::make_shared<SplashWindow>()); }, nullptr},
  };
  const double ratio = 1.5;
  const int dpi = static_cast<int>(std::lround(ScreenScale() * ratio * 96));
  // How wide `control` is, and the height of its font.
  const auto measure = [](HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return std::make_pair(r.right - r.left, font.lfHeight);
  };
  for (const Case& c : cases) {
    const auto [window, hwnd] = c.open();
    ASSERT_NE(hwnd, nullptr) << c.what;
    HWND control = c.control != nullptr ? FindNamedControl(hwnd, c.control) : nullptr;
    const auto before = control != nullptr ? measure(control) : std::make_pair(0L, 0L);
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    // Half as large again, as far as Wine's screen has room.
    RECT suggested{5, 6, 5 + std::min<LONG>((frame.right - frame.left) * 3 / 2, 900),
                   6 + std::min<LONG>((frame.bottom - frame.top) * 3 / 2, 700)};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(hwnd, &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested)) << c.what;
    if (control == nullptr) continue;
    RECT client{};
    GetClientRect(hwnd, &client);
    const auto after = measure(control);
    EXPECT_NEAR(after.first, c.fills ? client.right : before.first * ratio, 2) << c.what;
    EXPECT_EQ(after.second, std::lround(before.second * ratio)) << c.what;
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace kestro
