// The Win32 Form1's comforts driven as a user gives them: Alt keys and F1, tooltips, clicks,
// Shift+clicks and Ctrl+A in an entry list, a typed path, F5 after another program changed the
// folder, the folder looked at on its timer, and folders and files dropped from Explorer.
#include <windows.h>

#include <oleacc.h>
#include <shlobj.h>

#include <cstring>

#include "batch/list_reread.h"

#include "batch/form1_rules.h"
#include "batch/form1_tips.h"
#include "winui/form1_window_fixture.h"

namespace kestro {
namespace {

class Form1ComfortsTest : public Form1WindowTest {
 protected:
  // `key` pressed on the focused control with `modifier` (VK_SHIFT, VK_CONTROL, VK_MENU) held.
  void Chord(UINT modifier, UINT key) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[modifier] = 0x80;
    SetKeyboardState(keys);
    const bool alt = modifier == VK_MENU;
    PostMessageW(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key,
                 1 | (alt ? LPARAM{1} << 29 : 0));
    Pump();
    keys[modifier] = 0;
    SetKeyboardState(keys);
  }
  // A click on entry `row` of `list`, Shift held or not.
  void ClickRow(const char* list, int row, bool shift = false) {
    HWND box = Find(list);
    const auto height = static_cast<int>(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(5, row * height + height / 2);
    const WPARAM keys = MK_LBUTTON | (shift ? MK_SHIFT : 0);
    PostMessageW(box, WM_LBUTTONDOWN, keys, at);
    PostMessageW(box, WM_LBUTTONUP, keys & ~MK_LBUTTON, at);
    Pump();
  }
  std::vector<std::string> Ticked(const char* list) {
    std::vector<std::string> names;
    HWND box = Find(list);
    for (int i = 0; i < SendMessageW(box, LB_GETCOUNT, 0, 0); ++i) {
      if (SendMessageW(box, LB_GETSEL, i, 0) > 0) {
        wchar_t text[MAX_PATH] = {};
        SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        names.push_back(Utf8(text));
      }
    }
    return names;
  }
  // Explorer drops `paths` on the window.
  void Drop(const std::vector<fs::path>& paths) {
    std::wstring list;
    for (const fs::path& path : paths) list += path.wstring() + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    PostMessageW(window_->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    Pump();
  }
  std::string Status() { return WindowText(Find("StatusLine")); }
};

TEST_F(Form1ComfortsTest, AltKeysPressTheirButtonsAndChooseTheirTabsAndEveryControlHasItsTip) {
  SetFocus(Find("Text2"));
  const struct {
    UINT modifier, key;
    const char* strip;
    int tab;
  } tabs[] = {{VK_MENU, 'F', "TabStrip2", 1}, {VK_MENU, 'T', "TabStrip1", 1},
              {VK_MENU, 'C', "TabStrip1", 3}, {VK_MENU, 'N', "TabStrip1", 5},
              {VK_MENU, 'D', "TabStrip2", 0}, {VK_MENU, 'E', "TabStrip1", 0},
              {VK_MENU, 'Z', "TabStrip1", 0}};  // a letter of no shortcut does nothing
  for (const auto& t : tabs) {
    Chord(t.modifier, t.key);
    EXPECT_EQ(TabCtrl_GetCurSel(Find(t.strip)), t.tab) << static_cast<char>(t.key);
  }
  EXPECT_EQ(state_.active_operation, ActiveOperation::Rename);
  Chord(VK_MENU, 'P');
  EXPECT_EQ(SendMessageW(Find("PreviewToggle"), BM_GETCHECK, 0, 0), BST_CHECKED);
  Chord(VK_MENU, 'H');
  Press(VK_F1);
  EXPECT_EQ(opener_.opened.size(), 2u);
  Chord(VK_MENU, 'A');
  EXPECT_NE(window_->about_window(), nullptr);
  SetFocus(window_->about_window());
  Press(VK_ESCAPE);
  EXPECT_EQ(window_->about_window(), nullptr);

  // The tooltips: one window owned by Form1 holds a tool for every control with a tip.
  HWND tips = nullptr;
  do {
    tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
  } while (tips != nullptr && SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) < 2);
  ASSERT_NE(tips, nullptr);
  for (const ControlTip& tip : Form1Tips()) {
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_->hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Find(tip.name));
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(Utf8(text), tip.text) << tip.name;
  }
  Chord(VK_MENU, 'Q');
  EXPECT_EQ(window_->hwnd(), nullptr);
}

TEST_F(Form1ComfortsTest, TheExtensionsCaseAloneIsAChoiceOfTheCasePage) {
  ChooseTab("TabStrip2", "Files");
  ChooseTab("TabStrip1", "Case");
  Click("uppercase");
  EXPECT_EQ(WindowText(Find("after")), "EXAMPLE FILENAME.EXT");
  Click("CaseExtOnly");
  EXPECT_TRUE(state_.CaseExtOnly);
  EXPECT_EQ(SendMessageW(Find("CaseExtOnly"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowText(Find("after")), "Example filename.EXT");
}

TEST_F(Form1ComfortsTest, ClicksShiftClicksAndCtrlASelectAndTheStatusLineCountsThem) {
  ChooseTab("TabStrip2", "Files");
  const struct {
    int row;
    bool shift;
    std::vector<std::string> ticked;
    const char* count;
  } clicks[] = {
      {0, false, {"a_b.txt"}, "1 of 3 selected"},
      {2, true, {"a_b.txt", "c.txt", "d.txt"}, "3 of 3 selected"},
      {1, true, {"a_b.txt"}, "1 of 3 selected"},  // c.txt and d.txt take c.txt's new state
      {2, false, {"a_b.txt", "d.txt"}, "2 of 3 selected"},
  };
  for (const auto& c : clicks) {
    ClickRow("List2", c.row, c.shift);
    EXPECT_EQ(Ticked("List2"), c.ticked) << c.row;
    EXPECT_EQ(SelectedEntries(state_.List2), c.ticked) << c.row;
    EXPECT_EQ(Status(), c.count) << c.row;
  }
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(state_.List2.SelectedCount(), 3u);
  EXPECT_EQ(Ticked("List2").size(), 3u);
  EXPECT_EQ(Status(), "3 of 3 selected");
}

TEST_F(Form1ComfortsTest, APathTypedInATreeOpensItsFolderAndABadOneStaysToBePutRight) {
  SetFocus(Find("Dir3"));
  PostMessageW(GetFocus(), WM_CHAR, L'\\', 1);
  Pump();
  HWND field = Find("DirPath3");
  EXPECT_TRUE(IsWindowVisible(field));
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ(WindowText(field), "\\");
  const struct {
    fs::path typed;
    bool opens;
  } paths[] = {{folder_ / "c.txt", false}, {folder_ / "none", false}, {folder_ / "trip", true}};
  for (const auto& p : paths) {
    Type("DirPath3", p.typed.string().c_str());
    Press(VK_RETURN);
    EXPECT_EQ(IsWindowVisible(field) != FALSE, !p.opens) << p.typed;
    EXPECT_EQ(fs::path(state_.files_folder) == p.typed, p.opens) << p.typed;
  }
  EXPECT_EQ(TabCtrl_GetCurSel(Find("TabStrip2")), 1);
  EXPECT_EQ(GetFocus(), Find("Dir3"));
  // Ctrl+L shows the open folder, selected; Esc closes the field.
  Chord(VK_CONTROL, 'L');
  EXPECT_EQ(fs::path(WindowText(field)), folder_ / "trip");
  EXPECT_EQ(SendMessageW(field, EM_GETSEL, 0, 0), MAKELRESULT(0, GetWindowTextLengthW(field)));
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(field));
  Press('X');  // a letter in the tree opens no field
  EXPECT_FALSE(IsWindowVisible(field));
}

TEST_F(Form1ComfortsTest, F5AndTheFolderTimerReadTheFolderAnewButNotABatchsOwnChange) {
  ChooseTab("TabStrip2", "Files");
  Select("List2", "c.txt");
  // Another program makes one file and removes another.
  std::wstring command = L"cmd.exe /c \"type nul > new.txt & del a_b.txt\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, folder_.wstring().c_str(), &startup, &process));
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(OnDisk("new.txt"));
  SetFocus(Find("List2"));
  Press(VK_F5);
  EXPECT_EQ(state_.List2.entries(), (std::vector<std::string>{"c.txt", "d.txt", "new.txt"}));
  EXPECT_EQ(Ticked("List2"), std::vector<std::string>{"c.txt"});

  // Unasked: the timer finds the change, and reads the folder once it has been quiet a look.
  std::ofstream(folder_ / "later.txt") << "x";
  SendMessageW(window_->hwnd(), WM_TIMER, Form1Window::kFolderTimer, 0);
  EXPECT_EQ(state_.List2.size(), 3u);
  SendMessageW(window_->hwnd(), WM_TIMER, Form1Window::kFolderTimer, 0);
  EXPECT_EQ(state_.List2.size(), 4u);
  EXPECT_EQ(SelectedEntries(state_.List2), std::vector<std::string>{"c.txt"});

  // Rename! reads its folder anew itself; the timer must not read it once more for that change.
  ChooseTab("TabStrip1", "Extension");
  Click("Command15");  // ".bak"
  Click("Command10");
  ASSERT_TRUE(OnDisk("c.txt.bak"));
  static HWND list;
  static int refills;
  list = Find("List2");
  refills = 0;
  HHOOK hook = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM wparam, LPARAM lparam) -> LRESULT {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
        if (code == HC_ACTION && sent->hwnd == list && sent->message == LB_RESETCONTENT) ++refills;
        return CallNextHookEx(nullptr, code, wparam, lparam);
      },
      nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  for (int look = 0; look < 3; ++look) {
    SendMessageW(window_->hwnd(), WM_TIMER, Form1Window::kFolderTimer, 0);
  }
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(refills, 0);
}

TEST_F(Form1ComfortsTest, ADroppedFolderOpensOnThePageChosenAndDroppedFilesComeSelected) {
  Drop({folder_ / "trip", folder_ / "c.txt"});
  EXPECT_EQ(fs::path(state_.dirs_folder), folder_ / "trip");
  EXPECT_EQ(TabCtrl_GetCurSel(Find("TabStrip2")), 0);
  Drop({folder_ / "c.txt", folder_ / "trip", folder_ / "d.txt"});
  EXPECT_EQ(fs::path(state_.files_folder), folder_);
  EXPECT_EQ(TabCtrl_GetCurSel(Find("TabStrip2")), 1);
  EXPECT_EQ(Ticked("List2"), (std::vector<std::string>{"c.txt", "d.txt"}));
  EXPECT_EQ(Status(), "2 of 3 selected");
}

TEST_F(Form1ComfortsTest, AssistiveTechnologyReadsTheEntriesAsCheckBoxesAndTicksThem) {
  ChooseTab("TabStrip2", "Files");
  Select("List2", "c.txt");
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IAccessible* list = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Find("List2"), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&list)),
            S_OK);
  LONG count = 0;
  EXPECT_EQ(list->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
  const struct {
    LONG child;
    const wchar_t* name;
    bool checked;
  } entries[] = {{1, L"a_b.txt", false}, {2, L"c.txt", true}, {3, L"d.txt", false}};
  for (const auto& e : entries) {
    const VARIANT child = AccessibleChild(e.child);
    VARIANT role{}, state{};
    BSTR name = nullptr;
    ASSERT_EQ(list->get_accRole(child, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_CHECKBUTTON);
    ASSERT_EQ(list->get_accState(child, &state), S_OK);
    EXPECT_EQ((state.lVal & STATE_SYSTEM_CHECKED) != 0, e.checked) << e.child;
    ASSERT_EQ(list->get_accName(child, &name), S_OK);
    EXPECT_STREQ(name, e.name);
    SysFreeString(name);
  }
  // The default action ticks an entry as a click does.
  EXPECT_EQ(list->accDoDefaultAction(AccessibleChild(1)), S_OK);
  EXPECT_EQ(SelectedEntries(state_.List2), (std::vector<std::string>{"a_b.txt", "c.txt"}));
  EXPECT_EQ(Ticked("List2"), (std::vector<std::string>{"a_b.txt", "c.txt"}));
  list->Release();
  // A button's shortcut is its caption's mnemonic.
  IAccessible* button = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Find("Command10"), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&button)),
            S_OK);
  BSTR keys = nullptr;
  EXPECT_EQ(button->get_accKeyboardShortcut(AccessibleChild(CHILDID_SELF), &keys), S_OK);
  EXPECT_STREQ(keys, L"Alt+R");
  SysFreeString(keys);
  button->Release();
  CoUninitialize();
}

}  // namespace
}  // namespace kestro
