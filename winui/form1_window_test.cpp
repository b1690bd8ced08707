// The Win32 Form1 driven by its controls, found by their "Name" property, with the messages a
// user's clicks and keys send: tabs, options, fields, list selections, "Rename!", the preview,
// Undo, Help, About; then the disk is checked. Runs under Wine, with or without a display.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "batch/form1_design.h"
#include "batch/form1_rules.h"
#include "batch/recording_ui_host.h"
#include "cli/help_texts.h"
#include "engine/messages.h"
#include "platform/native_file_system.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/help_window.h"
#include "winui/win32_entry.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

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
    window_ = std::make_unique<Form1Window>(
        state_, Form1WindowServices{*fs_, settings_, clock_, opener_, journal_.get(), &ui_,
                                    "guide.htm", /*quit_on_close=*/false});
    ShowWindow(window_->hwnd(), SW_SHOWNORMAL);
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
  // The preview's timer fires; its worker's result is posted back and taken here.
  void ShowPreview() {
    SendMessageW(window_->hwnd(), WM_TIMER, Form1Window::kPreviewTimer, 0);
    for (int wait = 0;
         wait < 1000 && WindowText(Find(kPreviewSummaryName)) == "Working out the outcome...";
         ++wait) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(10);
    }
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

TEST_F(Form1WindowTest, EveryControlCarriesItsNamePlaceAndCaptionFromTheDesign) {
  // The window opens in the middle of the screen, as the splash does.
  RECT work{}, window{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window_->hwnd(), &window);
  EXPECT_NEAR(window.left + window.right, work.left + work.right, 2);
  EXPECT_NEAR(window.top + window.bottom, work.top + work.bottom, 2);

  const double scale = ScreenScale();
  for (const FormControl& design : Form1Controls()) {
    if (design.kind == ControlKind::kPage) continue;
    HWND control = Find(design.name);
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    const PixelRect want = TwipsToPixels(Form1Place(design), scale);
    EXPECT_EQ(r.left, want.x) << design.name;
    EXPECT_EQ(r.top, want.y) << design.name;
    EXPECT_EQ(r.right - r.left, want.width) << design.name;
    // A drop-down list's height is its open list's; a tab strip's panel is drawn by the window.
    if (design.kind != ControlKind::kDriveList && design.kind != ControlKind::kTabStrip) {
      EXPECT_EQ(r.bottom - r.top, want.height) << design.name;
    }
    if (*design.caption != '\0' || design.kind == ControlKind::kOption) {
      EXPECT_EQ(WindowText(control), ControlCaption(state_, design.name, design.caption))
          << design.name;
    }
  }
  // Tab walks the shown controls in the table's order, which is reading order, entering an option
  // group at its chosen option.
  std::vector<std::string> shown, walked;
  for (const FormControl& design : Form1Controls()) {
    HWND control = window_->Control(design.name);
    if (TakesFocus(design.kind) && IsWindowVisible(control) && IsWindowEnabled(control) &&
        (design.kind != ControlKind::kOption || OptionChosen(state_, design.name))) {
      shown.push_back(design.name);
    }
  }
  for (HWND at = Find("TabStrip2"); walked.size() < shown.size();
       at = GetNextDlgTabItem(window_->hwnd(), at, FALSE)) {
    walked.push_back(ControlName(at));
  }
  EXPECT_EQ(walked, shown);
  EXPECT_EQ(WindowText(Find("Option7")), "1204");
  EXPECT_EQ(WindowText(Find("before")), kExampleDirectory);
  EXPECT_EQ(WindowText(Find("after")), "(1204) Example directory");
}

// Moved to a screen of 1.5 times the DPI (twice would not fit Wine's screen, and a window is kept
// within its screen), the window takes the rectangle the system suggests and lays
// every control out again from the design, in fonts and rows of the new size.
TEST_F(Form1WindowTest, ANewDpiLaysTheWindowOutAgainAtItsScale) {
  const double scale = ScreenScale() * 1.5;
  const int dpi = static_cast<int>(std::lround(scale * 96));
  const SIZE size =
      OuterSize(TwipsToPixels(kForm1DesignWidth, scale), TwipsToPixels(kForm1ClientHeight, scale),
                Form1Window::kWindowStyle, 0);
  RECT suggested{10, 20, 10 + size.cx, 20 + size.cy};
  SendMessageW(window_->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));

  RECT window{};
  GetWindowRect(window_->hwnd(), &window);
  EXPECT_TRUE(EqualRect(&window, &suggested));
  for (const FormControl& design : Form1Controls()) {
    if (design.kind == ControlKind::kPage) continue;
    RECT r{};
    GetWindowRect(Find(design.name), &r);
    MapWindowPoints(nullptr, window_->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    const PixelRect want = TwipsToPixels(Form1Place(design), scale);
    EXPECT_EQ(r.left, want.x) << design.name;
    EXPECT_EQ(r.top, want.y) << design.name;
    EXPECT_EQ(r.right - r.left, want.width) << design.name;
  }
  for (const char* name : {"Command10", "Label1"}) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Find(name), WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    EXPECT_EQ(font.lfHeight, -std::lround(8.25 * 96 / 72 * scale)) << name;
  }
  EXPECT_EQ(SendMessageW(Find("List2"), LB_GETITEMHEIGHT, 0, 0), TwipsToPixels(240, scale));
}

// Every caption is whole on one line (a wrapping label within its height), with room to spare
// beside a button's edges and an option's or check box's mark.
TEST_F(Form1WindowTest, EveryCaptionFitsItsControl) {
  HDC dc = GetDC(window_->hwnd());
  const int mark = GetSystemMetrics(SM_CXMENUCHECK) + 4;
  for (const bool files : {false, true}) {
    ChooseTab("TabStrip2", files ? "Files" : "Directories");
    for (const OperationTab& tab : OperationTabs()) {
      ChooseTab("TabStrip1", tab.caption);
      for (const FormControl& design : Form1Controls()) {
        HWND control = window_->Control(design.name);
        if (control == nullptr || !IsWindowVisible(control)) continue;
        const std::wstring text = Wide(WindowText(control));
        if (text.empty() || design.kind == ControlKind::kField) continue;
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        RECT area{};
        GetClientRect(control, &area);
        RECT needed{0, 0, area.right, 0};
        const bool wraps = design.wraps && design.kind != ControlKind::kButton;
        DrawTextW(dc, text.c_str(), -1, &needed,
                  DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        int room = area.right;
        if (design.kind == ControlKind::kButton || design.kind == ControlKind::kToggle) room -= 8;
        if (design.kind == ControlKind::kOption || design.kind == ControlKind::kCheck) room -= mark;
        if (design.kind == ControlKind::kFrame) room -= 16;
        EXPECT_LE(needed.right, room) << design.name;
        if (wraps) {
          EXPECT_LE(needed.bottom, area.bottom) << design.name;
        }
        if (std::string_view(design.name) == "Label10") {  // not "B:" alone on a second line
          RECT line{0, 0, area.right, 0};
          DrawTextW(dc, text.c_str(), -1, &line, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
          EXPECT_EQ(needed.bottom, line.bottom);
        }
      }
    }
  }
  ReleaseDC(window_->hwnd(), dc);
}

struct Step {
  const char* control;
  const char* text;  // typed into the field; nullptr: the control is clicked
};
struct RenameCase {
  const char* target;
  const char* operation;
  std::vector<Step> steps;
  const char* entry;
  const char* renamed;
};

TEST_F(Form1WindowTest, RenameByTheControlsPreviewsRenamesOnDiskAndUndoes) {
  const RenameCase cases[] = {
      {"Directories", "Rename", {}, "trip", "(1204) trip"},
      {"Directories", "Strip", {{"Text6", "2"}, {"rightoption", nullptr}}, "photos99", "photos"},
      {"Files", "Replace", {{"Text8", "_"}, {"Text7", " "}}, "a_b.txt", "a b.txt"},
      {"Files",
       "Replace",
       {{"RegexCheck", nullptr}, {"Text8", "^(\\w)_(\\w)"}, {"Text7", "$2-\\U$1"}},
       "a_b.txt",
       "b-A.txt"},
      {"Files", "Extension", {{"Command15", nullptr}}, "c.txt", "c.txt.bak"},
  };
  Click("PreviewToggle");
  for (const RenameCase& c : cases) {
    SCOPED_TRACE(c.operation);
    ChooseTab("TabStrip2", c.target);
    ChooseTab("TabStrip1", c.operation);
    for (const Step& step : c.steps) {
      if (step.text != nullptr) {
        Type(step.control, step.text);
      } else {
        Click(step.control);
      }
    }
    Select(c.target == std::string("Files") ? "List2" : "List1", c.entry);
    ShowPreview();
    EXPECT_EQ(WindowText(Find(kPreviewSummaryName)), "1 of 1 would be renamed.");
    EXPECT_EQ(ListView_GetItemCount(Find(kPreviewListName)), 1);

    Click("Command10");
    EXPECT_TRUE(OnDisk(c.renamed));
    EXPECT_FALSE(OnDisk(c.entry));
    EXPECT_EQ(window_->status_text().rfind("Renamed 1 of 1", 0), 0u) << window_->status_text();
    EXPECT_TRUE(IsWindowEnabled(Find("Undo")));

    Click("Undo");
    EXPECT_TRUE(OnDisk(c.entry));
    EXPECT_FALSE(OnDisk(c.renamed));
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Form1WindowTest, SpaceInAnEntryListTicksAndUnticksTheEntryForTheBatchAsAClickDoes) {
  ChooseTab("TabStrip2", "Files");
  ChooseTab("TabStrip1", "Extension");
  Click("Command15");  // ".bak"
  Click("Command7");   // Select All
  HWND list = Find("List2");
  SetFocus(list);  // as Shift+Tab from "Select All" would
  Press(VK_DOWN);
  Press(VK_SPACE);
  const auto caret = static_cast<std::size_t>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
  ASSERT_LT(caret, state_.List2.size());
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, caret, 0), 0);  // the tick went
  for (std::size_t i = 0; i < state_.List2.size(); ++i) {
    EXPECT_EQ(state_.List2.selected(i), SendMessageW(list, LB_GETSEL, i, 0) > 0) << i;
  }
  Click("PreviewToggle");
  ShowPreview();
  EXPECT_EQ(WindowText(Find(kPreviewSummaryName)), "2 of 2 would be renamed.");

  const std::string left_out = state_.List2.at(caret);
  Click("Command10");
  EXPECT_TRUE(OnDisk(left_out.c_str()));
  EXPECT_FALSE(OnDisk((left_out + ".bak").c_str()));
  EXPECT_EQ(window_->status_text().rfind("Renamed 2 of 2", 0), 0u) << window_->status_text();

  // Space ticks it again, and it joins the batch.
  SetFocus(list);
  SendMessageW(list, LB_SETCARETINDEX, 0, 0);
  Press(VK_SPACE);
  EXPECT_TRUE(state_.List2.selected(0));
  EXPECT_FALSE(state_.List2.selected(1));
}

TEST_F(Form1WindowTest, TheStatusLineKeepsItsHintWholeAndOpensItsDetailsFromTheKeyboard) {
  const std::string kept = "a photo with a name long enough to fill the status line by itself.txt";
  std::ofstream(folder_ / kept) << "x";
  std::ofstream(folder_ / (kept + ".bak")) << "taken";
  ASSERT_TRUE(window_->OpenFolder(false, folder_.string()).ok());
  ChooseTab("TabStrip2", "Files");
  ChooseTab("TabStrip1", "Extension");
  Click("Command15");
  Select("List2", kept.c_str());
  Click("Command10");
  ASSERT_TRUE(OnDisk(kept.c_str()));

  HWND line = Find("StatusLine");
  const std::wstring shown = Wide(WindowText(line));
  const std::wstring hint = Wide(Form1Window::kDetailsHint);
  ASSERT_GE(shown.size(), hint.size());
  EXPECT_EQ(shown.substr(shown.size() - hint.size()), hint);
  HDC dc = GetDC(line);
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(line, WM_GETFONT, 0, 0)));
  SIZE drawn{};
  GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &drawn);
  ReleaseDC(line, dc);
  RECT area{};
  GetClientRect(line, &area);
  EXPECT_LE(drawn.cx, area.right);

  EXPECT_NE(GetWindowLongPtrW(line, GWL_STYLE) & WS_TABSTOP, 0);
  SetFocus(line);
  for (UINT key : {VK_SPACE, VK_RETURN}) {
    ui_.messages.clear();
    Press(key);
    ASSERT_EQ(ui_.messages.size(), 1u) << key;
    EXPECT_NE(ui_.messages[0].text.find("'" + kept + "' to '" + kept + ".bak'"), std::string::npos)
        << ui_.messages[0].text;
  }
}

// A pattern that does not compile paints field A and says why in the status line; Rename! refuses
// it before any rename. Match case is heeded once the pattern is mended.
TEST_F(Form1WindowTest, ABadPatternIsMarkedAndRefusedBeforeAnyRename) {
  ChooseTab("TabStrip2", "Files");
  ChooseTab("TabStrip1", "Replace");
  Click("RegexCheck");
  Type("Text8", "(a");
  const std::string why = "bad pattern '(a': missing closing parenthesis at offset 2";
  EXPECT_EQ(window_->status_text(), why);
  HWND text8 = Find("Text8");
  HDC dc = GetDC(text8);
  EXPECT_NE(SendMessageW(window_->hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(text8)),
            0);
  EXPECT_EQ(GetBkColor(dc), RGB(255, 215, 215));
  ReleaseDC(text8, dc);
  Select("List2", "a_b.txt");
  Click("Command10");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, why);
  EXPECT_TRUE(OnDisk("a_b.txt"));

  Click("MatchCase");
  Type("Text8", "^e");
  Type("Text7", "x");
  EXPECT_EQ(window_->status_text(), "");
  EXPECT_EQ(WindowText(Find("after")), "Example filename.ext");
  Click("MatchCase");
  EXPECT_EQ(WindowText(Find("after")), "xxample filename.ext");
  EXPECT_EQ(SendMessageW(Find("RegexCheck"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(state_.RegexCheck && !state_.MatchCase);
}

// A batch another window made in another folder: Undo's tooltip and the status line name it, and
// Undo asks first; Cancel (also the answer when none is given) moves nothing, OK takes it back.
TEST_F(Form1WindowTest, UndoNamesABatchMadeElsewhereAndAsksBeforeTakingItBack) {
  const fs::path other = folder_ / "other";
  fs::create_directories(other);
  std::ofstream(other / "x.txt") << "x";
  WindowState elsewhere;
  elsewhere.files_folder = elsewhere.dirs_folder = other.string();
  RecordingUiHost quiet;
  BatchRenamer batch(elsewhere, *fs_, clock_, quiet);
  batch.File1_PathChange();
  elsewhere.TargetKind = false;
  elsewhere.List2.SelectAll(true);
  elsewhere.active_operation = ActiveOperation::Extension;
  elsewhere.extad = ".bak";
  batch.SetJournal(journal_.get());
  ASSERT_EQ(batch.Command10_Click().Count(EntryOutcome::Kind::kDone), 1u);

  WindowState fresh;
  Form1Window window(fresh, Form1WindowServices{*fs_, settings_, clock_, opener_, journal_.get(),
                                                &ui_, "guide.htm", /*quit_on_close=*/false});
  const std::string named = "1 entry in '" + other.string() + "', renamed ";
  EXPECT_NE(window.undo_tip().find(named), std::string::npos) << window.undo_tip();
  EXPECT_EQ(window.status_text().rfind("Undo takes back " + named, 0), 0u) << window.status_text();
  for (const bool ok : {false, true}) {
    ui_.messages.clear();
    ui_.answers = {ok};
    SendMessageW(FindNamedControl(window.hwnd(), "Undo"), BM_CLICK, 0, 0);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].title, "Undo");
    EXPECT_NE(ui_.messages[0].text.find(named), std::string::npos) << ui_.messages[0].text;
    EXPECT_EQ(fs::exists(other / "x.txt"), ok);
    EXPECT_EQ(fs::exists(other / "x.txt.bak"), !ok);
  }
  EXPECT_FALSE(IsWindowEnabled(FindNamedControl(window.hwnd(), "Undo")));
}

TEST_F(Form1WindowTest, TypedKeysChooseTheCustomOptionAndTheStripCountTakesDigitsOnly) {
  HWND text2 = Find("Text2");
  SetFocus(text2);
  SendMessageW(text2, WM_KEYUP, VK_TAB, 0);  // the release of the Tab that brought the focus
  EXPECT_EQ(SendMessageW(Find("Option3"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  for (UINT message : {WM_KEYDOWN, WM_CHAR, WM_KEYUP}) SendMessageW(text2, message, 'x', 0);
  EXPECT_EQ(SendMessageW(Find("Option3"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowText(Find("after")), "x1204) Example directory");

  HWND text6 = Find("Text6");
  for (wchar_t typed : {L'a', L'7', L'\x16', L'-', L'3', L'9'})
    SendMessageW(text6, WM_CHAR, typed, 0);
  EXPECT_EQ(WindowText(text6), "73");  // two characters at most
  EXPECT_EQ(state_.Text6, "73");
}

// An error about a folder that cannot be opened goes once a folder opens.
TEST_F(Form1WindowTest, APathErrorLeavesTheStatusLineOnceAFolderOpens) {
  fs::remove(folder_ / "trip");
  HWND tree = Find("Dir1");
  const auto open = [&](const char* name) {
    const LRESULT row =
        SendMessageW(tree, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    ASSERT_NE(row, LB_ERR) << name;
    SendMessageW(tree, LB_SETCURSEL, row, 0);
    SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(tree), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(tree));
  };
  open("trip");
  EXPECT_NE(window_->status_text().find("trip"), std::string::npos) << window_->status_text();
  open("photos99");
  EXPECT_EQ(window_->status_text(), "");
}

TEST_F(Form1WindowTest, MessagesHelpAboutAndTheHelpWindowAnswerTheirControls) {
  Click("SmartCheck");  // on the Directories page: refused with its message
  ChooseTab("TabStrip2", "Files");
  Click("Command10");  // nothing selected
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, messages::kSmartFileModeFilesOnly);
  EXPECT_EQ(SendMessageW(Find("SmartCheck"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(ui_.messages[1].text, messages::kSelectFiles);

  Click("Command3");
  EXPECT_EQ(opener_.opened, std::vector<std::string>{"guide.htm"});

  Click("Command4");
  HWND about = window_->about_window();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ControlName(about), "frmAbout");
  EXPECT_FALSE(IsWindowEnabled(window_->hwnd()));
  SendMessageW(FindNamedControl(about, "Command1"), BM_CLICK, 0, 0);
  EXPECT_EQ(window_->about_window(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(window_->hwnd()));

  bool closed = false;
  HelpWindow help(opener_, ui_, "guide.htm", [&closed] { closed = true; });
  EXPECT_EQ(WindowText(help.hwnd()), kHelpWindowTitle);
  const std::string more = WindowText(FindNamedControl(help.hwnd(), "MoreOptions"));
  for (const char* option : {"--dry-run", "--undo", "--window", "-CE"}) {
    EXPECT_NE(more.find(option), std::string::npos) << option;
  }
  for (int press = 0; press < 2; ++press) {  // the guide, and the help window stays open
    SendMessageW(FindNamedControl(help.hwnd(), "Command2"), BM_CLICK, 0, 0);
    EXPECT_FALSE(closed);
    ASSERT_NE(help.hwnd(), nullptr);
  }
  EXPECT_EQ(opener_.opened.size(), 3u);
  SendMessageW(FindNamedControl(help.hwnd(), "Command1"), BM_CLICK, 0, 0);
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace kestro
