// Form1Window: building the controls from the design table, loading, the tab rules, the
// options, check boxes and fields, the buttons, "Rename!", Undo and the status line. The pickers
// are in form1_pickers.cpp, the outcome preview in form1_preview.cpp.
#include "winui/form1_window.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "batch/form1_design.h"
#include "batch/form1_rules.h"
#include "batch/pickers.h"
#include "batch/rename_str.h"
#include "batch/report_text.h"
#include "batch/session_settings.h"
#include "batch/undo.h"
#include "batch/undo_text.h"
#include "batch/window_batch.h"
#include "engine/messages.h"
#include "engine/printable_text.h"
#include "winui/about_window.h"
#include "winui/control_names.h"
#include "winui/dpi_change.h"
#include "winui/form1_access.h"
#include "winui/message_box_host.h"
#include "winui/progress_window.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

constexpr wchar_t kClassName[] = L"KestrovaneForm1";
constexpr int kFirstId = 1000;
// Details of the status line shown at most, so the box fits the screen.
constexpr std::size_t kMostDetails = 40;
// Pixels between the status line's edge and its text.
constexpr int kStatusMargin = 4;

std::span<const FormControl> Controls() { return Form1ControlsWithDates(); }

}  // namespace

// The window's UiHost: messages over the window (or to the services' host), the focus to field
// "A:", and unloading the window.
class Form1Window::WindowUiHost : public UiHost {
 public:
  explicit WindowUiHost(Form1Window& window) : window_(window) {}
  void ShowMessage(const Message& message) override {
    if (window_.services_.messages != nullptr) {
      window_.services_.messages->ShowMessage(message);
    } else {
      ShowWin32MessageBox(window_.hwnd_, message);
    }
  }
  void FocusText8() override { SetFocus(window_.Control("Text8")); }
  void UnloadMainWindow() override { window_.Command1_Click(); }
  bool Ask(const Message& question) override {
    if (window_.services_.messages != nullptr) return window_.services_.messages->Ask(question);
    return AskWin32MessageBox(window_.hwnd_, question);
  }

 private:
  Form1Window& window_;
};

Form1Window::Form1Window(WindowState& state, Form1WindowServices services)
    : state_(state), services_(std::move(services)) {
  ui_host_ = std::make_unique<WindowUiHost>(*this);
  batch_ = std::make_unique<BatchRenamer>(state_, services_.fs, services_.clock, *ui_host_);
  // The last session's page, operation and fields, before the controls show them.
  kestro::RestoreSession(state_, services_.settings);
  BuildWindow();
  Form_Load();
  BuildComforts();
  RestoreWindow();
}

Form1Window::~Form1Window() {
  if (hwnd_ != nullptr) {
    services_.quit_on_close = false;
    DestroyWindow(hwnd_);
  }
  DeleteObject(font_);
  DeleteObject(bold_font_);
  if (problem_brush_ != nullptr) DeleteObject(problem_brush_);
}

HWND Form1Window::Control(std::string_view name) const {
  const auto controls = Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (name == controls[i].name) return controls_[i];
  }
  return nullptr;
}

HWND Form1Window::about_window() const {
  return about_ != nullptr && about_->open() ? about_->hwnd() : nullptr;
}

void Form1Window::BuildWindow() {
  RegisterWindowClass(kClassName, WindowProc);
  scale_ = ScreenScale();
  font_ = DialogFont(8.25);
  bold_font_ = DialogFont(8.25, true);
  const SIZE size = OuterSize(TwipsToPixels(kForm1DesignWidth, scale_),
                              TwipsToPixels(kForm1ClientHeight, scale_), kWindowStyle, 0);
  // In the middle of the screen, as the splash is.
  const POINT at = CentredOnWorkArea(size);
  hwnd_ =
      CreateWindowExW(0, kClassName, Wide(messages::kProgramTitle).c_str(), kWindowStyle, at.x,
                      at.y, size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  SetControlName(hwnd_, "Form1");
  controls_.assign(Controls().size(), nullptr);
  for (std::size_t i = 0; i < Controls().size(); ++i) CreateControl(i);
  BuildPreview();
  SetFonts();
  LayOut();
  // Frames lie under their controls. The rest keep the order they were made in, which is the
  // order Tab takes: reading order, the tab strips included.
  for (std::size_t i = 0; i < Controls().size(); ++i) {
    if (Controls()[i].kind == ControlKind::kFrame) {
      SetWindowPos(controls_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  NameForm1Fields(hwnd_, [this](std::string_view name) { return Control(name); });
}

namespace {

// The height of a tab strip's row of tabs in its font; one is put in while it has none.
int TabRowHeight(HWND tabs) {
  const bool empty = TabCtrl_GetItemCount(tabs) == 0;
  if (empty) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"X");
    SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  RECT row{};
  TabCtrl_GetItemRect(tabs, 0, &row);
  if (empty) TabCtrl_DeleteAllItems(tabs);
  return row.bottom;
}

}  // namespace

PixelRect Form1Window::ControlPlace(std::size_t index) const {
  const FormControl& design = Controls()[index];
  PixelRect place =
      GrownPlace(TwipsToPixels(Form1Place(design), scale_), Form1FollowOf(design), growth_);
  if (design.kind == ControlKind::kDriveList) {
    place.height = TwipsToPixels(3000, scale_);  // the height of the open list
  } else if (design.kind == ControlKind::kChoiceList) {
    place.height = TwipsToPixels(1500, scale_);
  }
  return place;
}

void Form1Window::SetFonts() {
  SetFontOnAll(hwnd_, font_);
  for (std::size_t i = 0; i < Controls().size(); ++i) {
    if (Controls()[i].bold)
      SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(bold_font_), 0);
  }
}

void Form1Window::LayOut() {
  // A tab strip is its row of tabs over a raised panel that the window draws: the tab control's
  // own body may be painted in another colour than the controls laid on it (Wine paints it white).
  panels_.clear();
  for (std::size_t i = 0; i < Controls().size(); ++i) {
    if (controls_[i] == nullptr) continue;
    const ControlKind kind = Controls()[i].kind;
    const PixelRect place = ControlPlace(i);
    const int row = kind == ControlKind::kTabStrip ? TabRowHeight(controls_[i]) : 0;
    SetWindowPos(controls_[i], nullptr, place.x, place.y, place.width,
                 kind == ControlKind::kTabStrip ? row + 1 : place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (kind == ControlKind::kTabStrip) {
      panels_.push_back(
          RECT{place.x, place.y + row, place.x + place.width, place.y + place.height});
    }
    // An owner-drawn list measures its rows once, when it is made.
    if (kind == ControlKind::kTreeList || kind == ControlKind::kMultiList) {
      SendMessageW(controls_[i], LB_SETITEMHEIGHT, 0, TwipsToPixels(240, scale_));
    }
  }
  LayOutPreview();
}

void Form1Window::ChangeDpi(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  const double old_scale = scale_;
  scale_ = dpi / 96.0;
  picker_extra_ = static_cast<int>(std::lround(picker_extra_ * scale_ / old_scale));
  preview_columns_width_ = -1;  // its columns are scaled below, the width they were widened to too
  HFONT old_font = font_;
  HFONT old_bold_font = bold_font_;
  font_ = ScaledDialogFont(8.25, scale_);
  bold_font_ = ScaledDialogFont(8.25, scale_, true);
  SetFonts();
  // Only now that no control holds them any more.
  DeleteObject(old_font);
  DeleteObject(old_bold_font);
  LayOut();
  // The preview's columns keep the widths the user gave them, at the new scale.
  const auto columns =
      static_cast<int>(SendMessageW(ListView_GetHeader(preview_list_), HDM_GETITEMCOUNT, 0, 0));
  for (int column = 0; column < columns; ++column) {
    const auto width = static_cast<int>(SendMessageW(preview_list_, LVM_GETCOLUMNWIDTH, column, 0));
    SendMessageW(preview_list_, LVM_SETCOLUMNWIDTH, column,
                 static_cast<int>(std::lround(width * scale_ / old_scale)));
  }
  MoveToSuggested(hwnd_, suggested);
}

void Form1Window::CreateControl(std::size_t index) {
  const FormControl& design = Controls()[index];
  const wchar_t* window_class = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  DWORD ex_style = 0;
  if (TakesFocus(design.kind)) style |= WS_TABSTOP;
  const PixelRect place = ControlPlace(index);
  switch (design.kind) {
    case ControlKind::kPage:
      return;  // only a place: its controls show and hide with it
    case ControlKind::kTabStrip:
      window_class = WC_TABCONTROLW;
      style |= TCS_FOCUSONBUTTONDOWN;
      break;
    case ControlKind::kFrame:
      style |= BS_GROUPBOX;
      break;
    case ControlKind::kLabel:
      window_class = L"STATIC";
      // One line, in the middle of its height, as the field beside it shows its text.
      style |= (design.wraps ? SS_LEFT : SS_LEFTNOWORDWRAP | SS_CENTERIMAGE) | SS_NOPREFIX;
      break;
    case ControlKind::kField:
      window_class = L"EDIT";
      style |= ES_AUTOHSCROLL | (design.read_only ? ES_READONLY : 0);
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kOption: {
      style |= BS_RADIOBUTTON;
      // The first option of each frame begins a group, for the arrow keys.
      const bool first = index == 0 || Controls()[index - 1].kind != ControlKind::kOption ||
                         std::strcmp(Controls()[index - 1].parent, design.parent) != 0;
      if (first) style |= WS_GROUP;
      break;
    }
    case ControlKind::kCheck:
      style |= BS_CHECKBOX | (design.wraps ? BS_MULTILINE : 0);
      break;
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON;
      break;
    case ControlKind::kToggle:
      style |= BS_AUTOCHECKBOX | BS_PUSHLIKE;
      break;
    case ControlKind::kDriveList:
    case ControlKind::kChoiceList:
      window_class = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
    case ControlKind::kTreeList:
      window_class = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kMultiList:
      window_class = L"LISTBOX";
      // Drawn here: a tick box before each entry says whether it is selected.
      style |= LBS_NOTIFY | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
               LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kStatusLine:
      // A button drawn as a sunken line (DrawStatusLine): it takes the focus while it has details,
      // and Space or Enter opens them as a click does.
      style |= BS_OWNERDRAW;
      break;
  }
  const std::string caption = ControlCaption(state_, design.name, design.caption);
  HWND control = CreateWindowExW(ex_style, window_class, Wide(caption).c_str(), style, place.x,
                                 place.y, place.width, place.height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + index)),
                                 GetModuleHandleW(nullptr), nullptr);
  controls_[index] = control;
  SetControlName(control, design.name);
  // Tabs with little padding beside the caption, so the six operation tabs fit their strip.
  if (design.kind == ControlKind::kTabStrip)
    SendMessageW(control, TCM_SETPADDING, 0, MAKELPARAM(1, 3));
  if (design.kind == ControlKind::kMultiList) {
    // Not SetWindowSubclass: it finds its data by a window property on every message, and under
    // Wine each such look-up is a request to the server, which made filling List2 with 100,000
    // names take seconds.
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    list_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
  }
  for (const char* item : ChoiceItems(design.name)) {
    SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
  if (design.kind == ControlKind::kField) {
    if (design.max_length > 0) SendMessageW(control, EM_SETLIMITTEXT, design.max_length, 0);
    if (CustomOptionOf(design.name) != nullptr || !TypedKeyAllowed(design.name, U'x')) {
      SetWindowSubclass(control, FieldProc, index, reinterpret_cast<DWORD_PTR>(this));
    }
  }
}

void Form1Window::Form_Load() {
  // LastDir to both pages (an empty or vanished one leaves the current folder), their lists
  // filled, and Dir1_Click, which writes the folder back as LastDir.
  const Status restored = RestorePickers(state_, *batch_, services_.fs, services_.settings);
  if (!restored.ok()) ShowPathError(restored.message());
  if (const std::string why = SettingsNotKept(services_.settings); !why.empty()) ShowStatus(why);
  if (!OpenTree(true, state_.dirs_folder).ok()) OpenTree(true, ".");
  if (!OpenTree(false, state_.files_folder).ok()) OpenTree(false, ".");
  FillDrives(true);
  FillDrives(false);
  FillList(true);
  FillList(false);

  HWND strip1 = Control("TabStrip1");
  HWND strip2 = Control("TabStrip2");
  TabCtrl_DeleteAllItems(strip1);
  TabCtrl_DeleteAllItems(strip2);
  auto add_tab = [](HWND strip, const char* caption) {
    std::wstring text = Wide(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(strip, TCM_INSERTITEMW, TabCtrl_GetItemCount(strip),
                 reinterpret_cast<LPARAM>(&item));
  };
  for (const OperationTab& tab : OperationTabs()) add_tab(strip1, tab.caption);
  for (const char* caption : TargetTabs()) add_tab(strip2, caption);
  // The page and operation of the last session (the design's first ones on a first start).
  for (std::size_t i = 0; i < OperationTabs().size(); ++i) {
    if (OperationTabs()[i].operation == state_.active_operation)
      TabCtrl_SetCurSel(strip1, static_cast<int>(i));
  }
  TabCtrl_SetCurSel(strip2, state_.TargetKind ? 0 : 1);

  // The date captions are taken once: a window left open past midnight keeps its day.
  LoadDateCaptions(state_, services_.clock.Today());
  for (const char* option : {"Option7", "Option8", "Option9", "Option10"}) {
    SetWindowTextUtf8(Control(option), ControlCaption(state_, option, ""));
  }
  state_.before = state_.TargetKind ? kExampleDirectory : kExampleFilename;
  RefreshUndo();
  // A batch left from before (the command line's, say) is named before Undo can take it back.
  if (undo_available_ && status_text_.empty()) ShowStatus(UndoLine(&undo_batch_, LocaleCount));
  CheckAllValues();
}

void Form1Window::RefreshUndo() {
  undo_available_ = services_.journal != nullptr &&
                    NewestToUndo(services_.fs, *services_.journal, &undo_batch_).ok();
  undo_tip_ = UndoToolTip(undo_available_ ? &undo_batch_ : nullptr, "", LocaleCount);
  if (undo_tooltip_ == nullptr && hwnd_ != nullptr) {
    undo_tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control("Undo"));
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(undo_tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(undo_tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  if (undo_tooltip_ != nullptr) {
    std::wstring text = Wide(PrintableText(undo_tip_));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control("Undo"));
    tool.lpszText = text.data();
    SendMessageW(undo_tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Form1Window::ShowState() {
  showing_ = true;
  HWND focus = GetFocus();
  WindowState& state = state_;
  const auto controls = Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const FormControl& design = controls[i];
    HWND control = controls_[i];
    if (control == nullptr) continue;
    switch (design.kind) {
      case ControlKind::kOption:
        SendMessageW(control, BM_SETCHECK, OptionChosen(state, design.name) ? BST_CHECKED : 0, 0);
        break;
      case ControlKind::kCheck:
        if (const bool* value = CheckValue(state, design.name))
          SendMessageW(control, BM_SETCHECK, *value ? BST_CHECKED : 0, 0);
        break;
      case ControlKind::kChoiceList:
        if (const int item = ChosenItem(state, design.name);
            SendMessageW(control, CB_GETCURSEL, 0, 0) != item) {
          SendMessageW(control, CB_SETCURSEL, item, 0);
        }
        break;
      case ControlKind::kField:
        if (const std::string* value = FieldValue(state, design.name);
            value != nullptr && WindowText(control) != *value) {
          SetWindowTextUtf8(control, *value);
        }
        break;
      default:
        break;
    }
    const bool enabled = ControlEnabled(state, design.name);
    if ((IsWindowEnabled(control) != FALSE) != enabled) EnableWindow(control, enabled);
    if (const char* page = Form1PageOf(design)) {
      ShowWindow(control, PageShown(state, page) ? SW_SHOWNA : SW_HIDE);
    }
  }
  EnableWindow(Control("Undo"), undo_available_);
  KeepFocusUsable(hwnd_, focus);
  showing_ = false;
}

void Form1Window::CheckAllValues() {
  kestro::CheckAllValues(state_, services_.clock, *ui_host_);
  ShowState();
  ShowPatternProblem();
  SchedulePreview();
}

void Form1Window::ShowPatternProblem() {
  std::string problem = ReplacePatternError(state_);
  if (problem == pattern_problem_) return;
  // The status line goes back to empty only when it still says this problem.
  const bool status_said_it =
      !pattern_problem_.empty() && status_text_ == PrintableText(pattern_problem_);
  pattern_problem_ = std::move(problem);
  InvalidateRect(Control("Text8"), nullptr, TRUE);
  if (!pattern_problem_.empty()) {
    ShowStatus(pattern_problem_);
  } else if (status_said_it) {
    ShowStatus("");
  }
}

namespace {

// The caption of the chosen tab of a tab strip.
std::string ChosenTabCaption(HWND strip) {
  wchar_t caption[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption;
  item.cchTextMax = 64;
  SendMessageW(strip, TCM_GETITEMW, TabCtrl_GetCurSel(strip), reinterpret_cast<LPARAM>(&item));
  return Utf8(caption);
}

}  // namespace

void Form1Window::TabStrip1_Click() {
  ChooseOperationTab(state_, ChosenTabCaption(Control("TabStrip1")));
  CheckAllValues();
}

void Form1Window::TabStrip2_Click() {
  ChooseTargetTab(state_, ChosenTabCaption(Control("TabStrip2")));
  CheckAllValues();
}

void Form1Window::OnCommand(std::size_t index, int code) {
  const FormControl& design = Controls()[index];
  switch (design.kind) {
    case ControlKind::kOption:
      if (code == BN_CLICKED && ChooseOption(state_, design.name)) CheckAllValues();
      return;
    case ControlKind::kCheck:
      if (code == BN_CLICKED && CheckValue(state_, design.name) != nullptr) {
        const bool on = !*CheckValue(state_, design.name);
        if (std::optional<Message> refused = SetCheck(state_, design.name, on)) {
          ShowState();
          ui_host_->ShowMessage(*refused);
        }
        CheckAllValues();
      }
      return;
    case ControlKind::kField:
      if (code == EN_CHANGE && !showing_) {
        if (std::string* value = FieldValue(state_, design.name))
          *value = WindowText(controls_[index]);
        if (RefreshesOnChange(design.name)) {
          CheckAllValues();
        } else {
          SchedulePreview();
        }
      } else if (code == EN_KILLFOCUS && CustomOptionOf(design.name) != nullptr) {
        CheckAllValues();
      }
      return;
    case ControlKind::kButton:
    case ControlKind::kToggle:
      if (code == BN_CLICKED) OnClick(design.name);
      return;
    case ControlKind::kDriveList:
      if (code == CBN_SELCHANGE) DriveChosen(std::strcmp(design.name, "Drive1") == 0);
      return;
    case ControlKind::kChoiceList:
      if (code == CBN_SELCHANGE) {
        const auto item = static_cast<int>(SendMessageW(controls_[index], CB_GETCURSEL, 0, 0));
        if (ChooseItem(state_, design.name, item)) CheckAllValues();
      }
      return;
    case ControlKind::kTreeList:
      if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
        TreeClicked(std::strcmp(design.name, "Dir1") == 0, code == LBN_DBLCLK);
      }
      return;
    case ControlKind::kMultiList:
      if (code == LBN_SELCHANGE) ListSelectionChanged(std::strcmp(design.name, "List1") == 0);
      return;
    case ControlKind::kStatusLine:
      if (code == BN_CLICKED) ShowStatusDetails();
      return;
    default:
      return;
  }
}

void Form1Window::OnClick(std::string_view name) {
  if (const Preset* preset = FindPreset(name)) {
    ApplyPreset(state_, *preset);
    CheckAllValues();
  } else if (name == "Command5" || name == "Command6") {
    SelectAll(true, name == "Command5");
  } else if (name == "Command7" || name == "Command8") {
    SelectAll(false, name == "Command7");
  } else if (name == "Command10") {
    Command10_Click();
  } else if (name == "Command1") {
    Command1_Click();
  } else if (name == "Command3") {
    Command3_Click();
  } else if (name == "Command4") {
    Command4_Click();
  } else if (name == "Undo") {
    Undo();
  } else if (name == "PreviewToggle") {
    preview_shown_ = SendMessageW(Control("PreviewToggle"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    ResizeForPreview();
    UpdatePreview();
  }
}

void Form1Window::OnFieldKeyUp(std::size_t index) {
  if (const char* option = CustomOptionOf(Controls()[index].name)) {
    ChooseOption(state_, option);
    CheckAllValues();
  }
}

void Form1Window::Command10_Click() {
  KillTimer(hwnd_, kPreviewTimer);
  HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  {
    ProgressWindow progress(hwnd_, "Renaming: %1 of %2 entries done.");
    MessagesAbove messages(*ui_host_, progress);
    last_report_ = RunWindowBatch(
        state_, services_.fs, services_.clock, messages, services_.journal,
        [&progress](std::size_t done, std::size_t total) { return progress.Step(done, total); });
  }
  SetCursor(cursor);
  std::string status = DescribeBatch(last_report_, LocaleCount);
  if (!last_report_.journal_error.empty()) {
    status += " It cannot be undone: " + last_report_.journal_error + ".";
  }
  // The result replaces whatever the line said, so the lists filled anew do not say a count first.
  status_line_.Show(status, StatusLine::About::kEvent);
  RefreshAfterBatch(last_report_, &status);
  if (!last_report_.journal.empty()) made_here_.push_back(last_report_.journal);
  RefreshUndo();
  if (undo_available_) status += " " + UndoLine(&undo_batch_, LocaleCount);
  ShowStatus(status, KeptReasons(last_report_));
  NoteFoldersRead();
  preview_names_stale_ = true;
  ShowState();
  SchedulePreview();
}

void Form1Window::Undo() {
  // The batch named now, not the one named when the window last looked: another program may
  // have made one since.
  RefreshUndo();
  if (!undo_available_) return;
  const Journal newest = undo_batch_;
  const std::string& shown = state_.TargetKind ? state_.dirs_folder : state_.files_folder;
  if (UndoAsksFirst(newest, made_here_, shown) &&
      !ui_host_->Ask(UndoQuestion(newest, LocaleCount))) {
    ShowState();
    return;
  }
  KillTimer(hwnd_, kPreviewTimer);
  UndoReport report;
  {
    ProgressWindow progress(hwnd_, "Undoing: %1 of %2 entries done.");
    report = UndoJournal(services_.fs, newest, [&progress](std::size_t done, std::size_t total) {
      return progress.Step(done, total);
    });
  }
  const Status noted = NoteUndo(*services_.journal, newest, report);
  std::string status = DescribeUndo(report, LocaleCount);
  if (!noted.ok()) status += " The journal could not note it: " + noted.message() + ".";
  batch_->Dir2_Change();
  batch_->File1_PathChange();
  status_line_.Show(status, StatusLine::About::kEvent);  // as after Rename!
  RefreshAfterBatch(report, &status);
  RefreshUndo();
  if (undo_available_) status += " " + UndoLine(&undo_batch_, LocaleCount);
  ShowStatus(status, KeptReasons(report));
  NoteFoldersRead();
  preview_names_stale_ = true;
  ShowState();
  SchedulePreview();
}

void Form1Window::Command1_Click() {
  if (hwnd_ == nullptr) return;
  SaveSession();
  DestroyWindow(hwnd_);
}

void Form1Window::Command3_Click() {
  // The guide opens in the desktop's browser, or else in the program's own viewer; the window
  // stays usable meanwhile.
  const Status opened = services_.opener.Open(services_.user_guide);
  if (!opened.ok()) {
    ui_host_->ShowMessage(Message{messages::kGuideNotOpened + opened.message(),
                                  messages::kProgramTitle, MessageIcon::Exclamation});
  }
}

void Form1Window::Command4_Click() {
  if (about_window() != nullptr) return;
  about_ = std::make_unique<AboutWindow>(hwnd_);
}

void Form1Window::ShowStatus(const std::string& text, std::vector<std::string> details,
                             StatusLine::About about, bool directories, std::string folder) {
  status_line_.Show(text, about, directories, std::move(folder));
  status_text_ = PrintableText(text);
  details_ = std::move(details);
  HWND line = Control("StatusLine");
  // The hint stays whole at the end of the line; a long summary gives way to it.
  std::wstring shown = Wide(status_text_);
  if (!details_.empty()) {
    RECT area{};
    GetClientRect(line, &area);
    HDC dc = GetDC(line);
    HGDIOBJ old = SelectObject(dc, font_);
    shown = FitBeforeHint(dc, shown, Wide(kDetailsHint), area.right - 2 * kStatusMargin);
    SelectObject(dc, old);
    ReleaseDC(line, dc);
  }
  SetWindowTextW(line, shown.c_str());
  AnnounceStatus(line, shown);
  const LONG_PTR style = GetWindowLongPtrW(line, GWL_STYLE);
  SetWindowLongPtrW(line, GWL_STYLE, details_.empty() ? style & ~WS_TABSTOP : style | WS_TABSTOP);
  InvalidateRect(line, nullptr, TRUE);
}

void Form1Window::ShowStatusDetails() {
  if (details_.empty()) return;
  std::string text = status_text_ + "\n";
  for (std::size_t i = 0; i < details_.size() && i < kMostDetails; ++i) text += "\n" + details_[i];
  if (details_.size() > kMostDetails) {
    text += "\n... and " + LocaleCount(details_.size() - kMostDetails) + " more.";
  }
  ui_host_->ShowMessage(Message{text, messages::kProgramTitle, MessageIcon::None, true});
}

void Form1Window::DrawStatusLine(const DRAWITEMSTRUCT& item) {
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(item.hDC, &area, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  const int length = GetWindowTextLengthW(item.hwndItem);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(item.hwndItem, text.data(), length + 1);
  RECT text_area{area.left + kStatusMargin - 1, area.top, area.right - kStatusMargin + 1,
                 area.bottom};
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(item.hDC, text.c_str(), length, &text_area,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) != 0) {
    InflateRect(&area, -1, -1);
    DrawFocusRect(item.hDC, &area);
  }
}

void Form1Window::FolderOpened() {
  if (status_line_.FolderOpened()) ShowStatus(status_line_.text());
}

bool Form1Window::PreTranslate(const MSG& message) {
  if (hwnd_ != nullptr && ComfortKey(message)) return true;
  if (message.message != WM_KEYDOWN || hwnd_ == nullptr ||
      GetAncestor(message.hwnd, GA_ROOT) != hwnd_) {
    return false;
  }
  wchar_t focused_class[16] = {};
  GetClassNameW(message.hwnd, focused_class, 16);
  if (message.wParam == 'Z' && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
      lstrcmpiW(focused_class, L"Edit") != 0) {
    Undo();
    return true;
  }
  if (message.wParam == VK_RETURN && message.hwnd == Control("StatusLine")) {
    ShowStatusDetails();
    return true;
  }
  if (message.wParam == VK_RETURN &&
      (message.hwnd == Control("Dir1") || message.hwnd == Control("Dir3"))) {
    TreeClicked(message.hwnd == Control("Dir1"), /*open=*/true);
    return true;
  }
  return false;
}

LRESULT CALLBACK Form1Window::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ == nullptr)
    return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT CALLBACK Form1Window::FieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data) {
  auto* self = reinterpret_cast<Form1Window*>(data);
  const char* name = Controls()[id].name;
  // Text6 takes digits and Backspace when they are typed; a mouse paste is not filtered.
  if (message == WM_CHAR && !TypedKeyAllowed(name, static_cast<char32_t>(wparam))) return 0;
  const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
  // A released key counts only when it was pressed here: the release of the Tab that brought the
  // focus in chooses nothing.
  if (message == WM_SETFOCUS) self->pressed_here_ = false;
  if (message == WM_KEYDOWN) self->pressed_here_ = true;
  if (message == WM_KEYUP && self->pressed_here_) self->OnFieldKeyUp(id);
  return result;
}

LRESULT Form1Window::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (lparam != 0 && id >= kFirstId && id < kFirstId + static_cast<int>(Controls().size())) {
        OnCommand(static_cast<std::size_t>(id - kFirstId), HIWORD(wparam));
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->code == TCN_SELCHANGE) {
        if (header->hwndFrom == Control("TabStrip1")) TabStrip1_Click();
        if (header->hwndFrom == Control("TabStrip2")) TabStrip2_Click();
      } else if (header->code == LVN_GETDISPINFOW && header->hwndFrom == preview_list_) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
        const auto cell = static_cast<std::size_t>(info->item.iItem) * 4 +
                          static_cast<std::size_t>(info->item.iSubItem);
        if ((info->item.mask & LVIF_TEXT) != 0 && cell < preview_cells_.size()) {
          info->item.pszText = preview_cells_[cell].data();
        }
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lparam) == Control("Text8") && !pattern_problem_.empty()) {
        constexpr COLORREF kProblem = RGB(255, 215, 215);
        if (problem_brush_ == nullptr) problem_brush_ = CreateSolidBrush(kProblem);
        SetBkColor(reinterpret_cast<HDC>(wparam), kProblem);
        SetTextColor(reinterpret_cast<HDC>(wparam), RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(problem_brush_);
      }
      return DefWindowProcW(hwnd_, message, wparam, lparam);
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      item->itemHeight = static_cast<UINT>(TwipsToPixels(240, scale_));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.CtlType == ODT_BUTTON) {
        DrawStatusLine(item);
      } else {
        DrawListEntry(item);
      }
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      for (RECT panel : panels_) DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) Resized();
      return 0;
    case WM_GETMINMAXINFO:
      LimitSize(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_DPICHANGED:
      // Moved to a screen of another DPI: x and y have the same.
      ChangeDpi(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_TIMER:
      if (wparam == kPreviewTimer) UpdatePreview();
      if (wparam == kFolderTimer) FolderTick();
      return 0;
    case WM_DROPFILES:
      Dropped(reinterpret_cast<HDROP>(wparam));
      return 0;
    case kPreviewReady:
      ShowPreview(wparam);
      return 0;
    case WM_CLOSE:
      Command1_Click();
      return 0;
    case WM_DESTROY: {
      // Quit and the close box end the program, the About window with it.
      about_.reset();
      KillTimer(hwnd_, kPreviewTimer);
      KillTimer(hwnd_, kFolderTimer);
      EnumChildWindows(
          hwnd_, [](HWND child, LPARAM) -> BOOL { return RemoveControlName(child), TRUE; }, 0);
      RemoveControlName(hwnd_);
      hwnd_ = nullptr;
      std::fill(controls_.begin(), controls_.end(), nullptr);
      if (services_.quit_on_close) PostQuitMessage(0);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

}  // namespace kestro
