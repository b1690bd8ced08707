// Form1 in Win32: every control of the design (batch/form1_design.h) placed from its twips at the
// screen's DPI, bound to the WindowState by the shared rules (batch/form1_rules.h), running the
// batches, the outcome preview and Undo of the Qt-free layers. Each control carries its design
// name in the "Name" property (winui/control_names.h).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/folder_steps.h"
#include "batch/form1_growth.h"
#include "batch/journal.h"
#include "batch/list_selection.h"
#include "batch/outcome.h"
#include "batch/outcome_preview.h"
#include "batch/simulated_folder.h"
#include "batch/status_line.h"
#include "batch/twip_rect.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/listing.h"
#include "platform/settings_store.h"
#include "winui/preview_worker.h"

namespace kestro {

class AboutWindow;

struct Form1WindowServices {
  FileSystem& fs;
  SettingsStore& settings;
  const Clock& clock;
  DocumentOpener& opener;            // opens the user guide
  JournalFolder* journal = nullptr;  // where batches are recorded for Undo (none: no Undo)
  UiHost* messages = nullptr;        // shows the messages (none: message boxes over the window)
  std::string user_guide;            // the guide "Help" opens
  bool quit_on_close = true;         // closing the window ends the message loop
};

class Form1Window {
 public:
  // Builds the window (not shown) and runs Form_Load.
  Form1Window(WindowState& state, Form1WindowServices services);
  ~Form1Window();
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  // The control of design name `name`; nullptr when it has no window.
  [[nodiscard]] HWND Control(std::string_view name) const;
  [[nodiscard]] const std::string& status_text() const { return status_text_; }
  [[nodiscard]] const BatchReport& last_report() const { return last_report_; }
  [[nodiscard]] HWND about_window() const;
  // What the Undo button's tooltip says now: the batch Undo takes back.
  [[nodiscard]] const std::string& undo_tip() const { return undo_tip_; }
  // How the window is first shown: maximised when it was closed so.
  [[nodiscard]] int show_command() const { return show_command_; }

  // The window's procedures, as its controls call them.
  void CheckAllValues();
  void TabStrip1_Click();
  void TabStrip2_Click();
  void Dir1_Click();
  void Dir3_Click();
  void Command10_Click();  // "Rename!"
  void Command1_Click();   // "Quit"
  void Command3_Click();   // "Help"
  void Command4_Click();   // "About"
  void Undo();
  // Opens the folder tree and the list of one page on `folder`, as a double click and a click on
  // it would.
  Status OpenFolder(bool directories, const std::string& folder);
  // Starts working the outcome preview out now (a change asks for it on a short timer); it is
  // shown when the window takes kPreviewReady.
  void UpdatePreview();
  // The window's keys, before the dialog keys: Ctrl+Z is Undo (a text field keeps it for its own
  // text), Enter in a folder tree opens the folder. True when `message` was one of them.
  bool PreTranslate(const MSG& message);

  static constexpr UINT_PTR kPreviewTimer = 1;
  // Looks whether another program changed a folder shown (form1_comforts.cpp).
  static constexpr UINT_PTR kFolderTimer = 2;
  // Said at the end of the status line when the batch has details to show.
  static constexpr char kDetailsHint[] = "(click for every entry that kept its name)";
  // Posted by the preview's worker when a preview is ready to be shown.
  static constexpr UINT kPreviewReady = WM_APP + 1;
  // Not WS_CLIPCHILDREN: the frames are drawn over the window's own background, not over nothing.
  // Sizable, with its minimise and maximise boxes.
  static constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

 private:
  class WindowUiHost;
  struct Tree {
    std::vector<FolderStep> rows;  // the chain, then the open folder's sub-directories
    std::vector<int> depth;
    std::string path;          // the open folder
    std::size_t open_row = 0;  // rows up to it lie on the way down to the open folder
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void BuildWindow();
  void CreateControl(std::size_t index);
  [[nodiscard]] PixelRect ControlPlace(std::size_t index) const;
  void SetFonts();
  // Places every control, the tab strips' panels and the preview at `scale_`.
  void LayOut();
  void LayOutPreview();
  // WM_DPICHANGED: fonts and places at `dpi`, the window at the rectangle the system suggests.
  void ChangeDpi(int dpi, const RECT& suggested);
  void BuildPreview();
  // Growing (form1_layout.cpp): the design's sizes at `scale_`, the growth of the client area
  // laid out (WM_SIZE), and the design size as the smallest (WM_GETMINMAXINFO).
  [[nodiscard]] Form1Sizes DesignSizes() const;
  void Resized();
  void LimitSize(MINMAXINFO& limits) const;
  // The session (form1_session.cpp): the state's fields and the window's placement kept in the
  // settings on Quit, brought back at the next start.
  void SaveSession();
  void RestoreWindow();
  // The preview's columns: name, new name, outcome, and with `dated` the entries' date.
  void SetPreviewColumns(bool dated);
  void Form_Load();
  void OnCommand(std::size_t index, int code);
  void OnClick(std::string_view name);
  void OnFieldKeyUp(std::size_t index);
  // Shows the state: options, checks, fields, enabling, pages, the example, Undo.
  void ShowState();
  // `text` on the status line, which goes when it no longer holds (batch/status_line.h).
  void ShowStatus(const std::string& text, std::vector<std::string> details = {},
                  StatusLine::About about = StatusLine::About::kEvent, bool directories = false,
                  std::string folder = {});
  void ShowPathError(const std::string& text) { ShowStatus(text, {}, StatusLine::About::kPath); }
  // A folder opened in a tree or a list: an error about a path goes.
  void FolderOpened();
  // The entries that kept their names in the last batch, in a box (a click, Space or Enter on
  // the status line).
  void ShowStatusDetails();
  void DrawStatusLine(const DRAWITEMSTRUCT& item);
  // Marks field A and says why in the status line while its expression does not compile.
  void ShowPatternProblem();
  // Looks again for a batch to take back.
  void RefreshUndo();
  void SchedulePreview();
  void ResizeForPreview();
  void ShowPreview(WPARAM ticket);

  // Pickers (form1_pickers.cpp).
  // `listing`: read both kinds of the folder into it, for the page's list as well.
  Status OpenTree(bool directories, const std::string& folder, FolderListing* listing = nullptr);
  // Dir1_Click or Dir3_Click; `listing`, when given, is the chosen folder as just read.
  void FolderChosen(bool directories, FolderListing* listing);
  void FillDrives(bool directories);
  void DriveChosen(bool directories);
  void TreeClicked(bool directories, bool open);
  void FillList(bool directories);
  // Reads the ticks of List1 or List2 into the state; a change asks for the preview.
  void ListSelectionChanged(bool directories);
  void SelectAll(bool directories, bool on);
  // An entry of List1 or List2 (its tick box, ticked when it is selected, and its name) or a
  // folder of Dir1 or Dir3 (indented by its depth, with an open or a closed folder).
  void DrawListEntry(const DRAWITEMSTRUCT& item);
  void RefreshAfterBatch(const BatchReport& report, std::string* status);

  // Comforts: tooltips, mnemonics, the path fields, drops and re-reads (form1_comforts.cpp), the
  // shortcuts (form1_keys.cpp), clicks and counts in the entry lists (form1_lists.cpp).
  void BuildComforts();
  // The window's shortcuts and the path fields' keys; true when `message` was one of them.
  bool ComfortKey(const MSG& message);
  // Opens the page's path field over its drive list with `text`, all of it selected or the caret
  // at its end.
  void ShowPathField(bool directories, const std::string& text, bool selected);
  void OpenTypedPath(bool directories);
  void HidePathField(bool directories);
  static LRESULT CALLBACK PathFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data);
  // Opens `folder` on a page chosen with TabStrip2, or says on the status line why it cannot.
  Status OpenChosenFolder(bool directories, const std::string& folder);
  void Dropped(HDROP drop);
  // F5, or a folder changed by another program: both pages read anew, keeping the selection.
  void RereadFolders();
  void FolderTick();
  // The lists were just read anew by a batch or an undo: the folders as they are now are known,
  // so the change the batch made is not read once more.
  void NoteFoldersRead();
  // A click on `row` of List1 or List2, with Shift (`extend`) or without.
  void ListClicked(bool directories, std::size_t row, bool extend);
  // The count of a list's selection on the status line.
  void ShowCount(bool directories);
  // The list box ticks what the state selects.
  void ShowTicks(bool directories);
  // Clicks, Shift+clicks and Ctrl+A in List1 or List2; true when `message` was one of them.
  bool ListComfort(HWND list, UINT message, WPARAM wparam, LPARAM lparam);
  // WM_GETOBJECT of List1 or List2: its entries as check boxes (winui/entry_list_accessible.h).
  LRESULT ListObject(HWND list, WPARAM wparam, LPARAM lparam);
  // A list was filled anew: no Shift+click range from before, a count of it follows it.
  void ListRefilled(bool directories);

  WindowState& state_;
  Form1WindowServices services_;
  std::unique_ptr<WindowUiHost> ui_host_;
  std::unique_ptr<BatchRenamer> batch_;
  HWND hwnd_ = nullptr;
  std::vector<HWND> controls_;   // by the index of Form1ControlsWithDates(); nullptr for places
  WNDPROC list_proc_ = nullptr;  // the list boxes' own procedure, under ListProc
  HWND tips_ = nullptr;          // every control's tooltip
  HWND path_fields_[2] = {};     // DirPath1, DirPath3
  ListClicks clicks_[2];         // List1, List2
  // The folders shown and when each was last written, as the last look found them.
  std::vector<std::pair<std::string, unsigned long long>> stamps_;
  DWORD changed_at_ = 0;  // when a change not yet re-read was first seen (0: none)
  DWORD reread_ms_ = 0;   // how long the last re-read held the window
  HFONT font_ = nullptr;
  HFONT bold_font_ = nullptr;
  double scale_ = 1.0;
  Form1Growth growth_;                  // beyond the design size
  int picker_extra_ = 0;                // the width the pickers gained before the preview opened
  int show_command_ = SW_SHOWNORMAL;    // as the last session ended
  std::vector<RECT> panels_;            // the tab strips' panels, drawn by the window
  bool undo_available_ = false;         // the journal holds a batch not taken back
  Journal undo_batch_;                  // that batch, while there is one
  std::vector<std::string> made_here_;  // the journals of the batches made in this window
  HWND undo_tooltip_ = nullptr;
  std::string undo_tip_;
  // ShowState is writing the controls: their notifications are its own.
  bool showing_ = false;
  // A key went down in the focused field since it took the focus.
  bool pressed_here_ = false;
  Tree trees_[2];  // Dir1, Dir3
  StatusLine status_line_;
  std::string status_text_;  // status_line_'s text, printable
  std::vector<std::string> details_;
  // Why field A's expression cannot be used; field A is painted with `problem_brush_` meanwhile.
  std::string pattern_problem_;
  HBRUSH problem_brush_ = nullptr;
  BatchReport last_report_;
  std::unique_ptr<AboutWindow> about_;
  // The outcome preview beside the window.
  HWND preview_summary_ = nullptr;
  HWND preview_list_ = nullptr;
  bool preview_shown_ = false;
  std::vector<std::wstring> preview_cells_;  // four per row: name, new name, outcome, date
  bool preview_dated_ = false;               // the date column is shown
  std::shared_ptr<const FolderNames> preview_names_;
  bool preview_names_stale_ = true;
  int preview_columns_width_ = -1;  // the preview list's width its columns were last widened to
  // Last, so it stops before anything its work reads goes.
  std::unique_ptr<Win32PreviewWorker> preview_worker_;
};

}  // namespace kestro
