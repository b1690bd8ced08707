// Form1, the main window: the target tabs with the pickers, the operation tabs with their pages,
// the example box and the buttons. It binds to the WindowState model and runs the batches.
#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/form1_growth.h"
#include "batch/journal.h"
#include "batch/outcome.h"
#include "batch/status_line.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

class QButtonGroup;
class QFrame;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace kestro {

class DirectoryTreeList;
class DriveList;
class FrmAbout;
class GuideWindow;
class OutcomePreviewPanel;
class QtUiHost;
class SelectableListModel;
class Twips;
class UndoControl;

struct Form1Services {
  FileSystem& fs;
  SettingsStore& settings;
  const Clock& clock;
  DocumentOpener& opener;
  JournalFolder* journal = nullptr;  // where batches are recorded for Undo (none: no Undo)
  std::string user_guide;            // the guide Help shows (empty: UserGuidePath() at the click)
};

class Form1 : public QWidget {
  Q_OBJECT
 public:
  // Builds the window and runs Form_Load.
  Form1(WindowState& state, Form1Services services, QWidget* parent = nullptr);
  ~Form1() override;

  // The window's procedures, as its controls call them.
  void CheckAllValues();
  void TabStrip1_Click();
  void TabStrip2_Click();
  void Drive1_Change();
  void Drive2_Change();
  void Dir1_Click();
  void Dir3_Click();
  void Command10_Click();  // "Rename!"
  void Command1_Click();   // "Quit"
  void Command3_Click();   // "Help": the user guide in a window of its own
  void Command4_Click();   // "About"

  // Opens `folder` on the Directories page (`directories`) or the Files page, and shows that page;
  // chosen as a click in its tree chooses it. A path that is no folder leaves the page as it was
  // and says so on the status line.
  Status OpenFolder(const std::string& folder, bool directories);
  // F5: both pages' folders, lists and trees read anew; the entries that remain stay selected.
  void RereadFolders();

  // The full text of the status line (the label shows it shortened to its width).
  [[nodiscard]] const QString& status_text() const { return status_text_; }
  // What the last "Rename!" did.
  [[nodiscard]] const BatchReport& last_report() const { return last_report_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A click on the status line opens the details of the last batch or undo.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A larger window gives its room to the trees, the lists and the preview (form1_comforts.cpp).
  void resizeEvent(QResizeEvent* event) override;
  // A folder dropped from a file manager opens on the page in view; a file opens its folder on
  // the Files page, with the dropped files of that folder selected.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildWindow();
  void BuildPickerPage(QGroupBox* page, bool directories, const Twips& twips);
  QWidget* BuildRenamePage(const Twips& twips);
  QWidget* BuildStripPage(const Twips& twips);
  QWidget* BuildReplacePage(const Twips& twips);
  QWidget* BuildCasePage(const Twips& twips);
  QWidget* BuildExtensionPage(const Twips& twips);
  QWidget* BuildNumberingPage(const Twips& twips);
  void ConnectControls();
  void Form_Load();

  // Helpers for building: every control gets its design name; focusable ones join the Tab order
  // in the order they are made, which is reading order.
  QRadioButton* MakeOption(const char* name, const QString& caption, QWidget* parent,
                           QButtonGroup* group);
  QLineEdit* MakeField(const char* name, QWidget* parent, int max_length = 0);
  QCheckBox* MakeCheck(const char* name, const QString& caption, QWidget* parent);
  QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent);
  QLabel* MakeLabel(const char* name, const QString& caption, QWidget* parent);
  // A drop-down list of `captions` bound to `value`, an enum whose values follow their order:
  // the value's item is chosen now; choosing another stores it and refreshes.
  template <typename Enum, std::size_t N>
  QComboBox* MakeChoice(const char* name, const char* const (&captions)[N], Enum& value,
                        QWidget* parent);
  // Mirrors a field into `value` on every change; with `refresh`, the example follows.
  void BindField(QLineEdit* field, std::string& value, bool refresh);
  // A custom-text field of the Rename page: a released key chooses `option`, then the example is
  // refreshed; losing the focus refreshes it too.
  void BindCustomField(QLineEdit* field, QRadioButton* option);
  // An option group bound to `value`: the option of the value is chosen now; choosing another
  // stores its value and refreshes the example.
  template <typename Value>
  void BindOptions(std::initializer_list<std::pair<QRadioButton*, Value>> options, Value& value);
  // A check box bound to `value`, checked now as it says; every click stores it and refreshes.
  void BindCheck(QCheckBox* check, bool& value);
  void ShowPages();
  void ReloadLists();
  // Shows `text` on the status line, which goes when it no longer holds (batch/status_line.h).
  void ShowStatus(const QString& text, StatusLine::About about = StatusLine::About::kEvent);
  // The selection count of List1 (`directories`) or List2 on the status line.
  void ShowCount(bool directories);
  // After a page's folder was chosen: its error, or the end of an error about a path.
  void ShowChoosing(const Status& chosen);
  // The status line as status_line_ has it.
  void ShowStatusLine();
  // Marks field A and says why in the status line while its expression does not compile.
  void ShowPatternProblem();
  // The status line after a batch or an undo; its details list every entry that kept its name.
  void ShowOutcome(const std::string& text, const BatchReport& report);
  // The outcome preview beside the window, its toggle and the Undo button (preview_panel.h,
  // undo_control.h).
  void BuildBatchTools(const Twips& twips);
  void ConnectBatchTools();
  // Lists and trees read anew from disk after a batch or an undo; a page whose folder the batch
  // renamed (or a folder above it) follows it to its new name. Returns what the user should know.
  std::string RefreshAfterBatch(const BatchReport& report);

  // The comforts around the design (form1_comforts.cpp): the growing layout, the keyboard's
  // shortcuts and tooltips, the typed path, the selection counts, the folder watcher and the
  // session kept in the settings.
  void BuildComforts();
  void ConnectComforts();
  void LayOut();
  void ShowPreview(bool on);
  // `selected`: the text comes selected, so typing replaces it; else the cursor is at its end.
  void ShowPathField(bool directories, const QString& text, bool selected = false);
  void OpenTypedPath(bool directories);
  void UpdateCounts();
  void WatchFolders();
  void FolderChanged();
  void SaveSession();
  void RestoreWindow();
  // Where each growing or moving control lies at the design size, and how it follows the window.
  struct Anchored {
    QWidget* widget;
    QRect design;
    Follow follow;
  };
  void Anchor(QWidget* widget, Follow follow);
  WindowState& state_;
  Form1Services services_;
  std::unique_ptr<QtUiHost> ui_host_;
  std::unique_ptr<BatchRenamer> batch_;
  SelectableListModel* list1_model_ = nullptr;
  SelectableListModel* list2_model_ = nullptr;
  QPointer<FrmAbout> about_;
  QPointer<GuideWindow> guide_;
  std::vector<QWidget*> tab_order_;
  BatchReport last_report_;
  StatusLine status_line_;
  QString status_text_;               // status_line_'s text, printable
  std::vector<std::string> details_;  // the status line's details, one line per entry
  // Why field A's expression cannot be used, as the status line and the field show it.
  std::string pattern_problem_;

  QTabBar* TabStrip1_ = nullptr;
  QTabBar* TabStrip2_ = nullptr;
  QGroupBox* dirs_ = nullptr;
  QGroupBox* files_ = nullptr;
  std::vector<QWidget*> pages_;  // rename, strip, replace, selectcase, extensionf, sort
  DriveList* Drive1_ = nullptr;
  DriveList* Drive2_ = nullptr;
  DirectoryTreeList* Dir1_ = nullptr;
  DirectoryTreeList* Dir3_ = nullptr;
  QRadioButton* Option7_ = nullptr;
  QRadioButton* Option8_ = nullptr;
  QRadioButton* Option9_ = nullptr;
  QRadioButton* Option10_ = nullptr;
  QCheckBox* SmartCheck_ = nullptr;
  QLineEdit* Text8_ = nullptr;
  QLineEdit* Text7_ = nullptr;
  QLineEdit* extad_ = nullptr;
  QCheckBox* sortleading_ = nullptr;
  QCheckBox* sortlen_ = nullptr;
  QLineEdit* sortlennum_ = nullptr;
  QLineEdit* before_ = nullptr;
  QLineEdit* after_ = nullptr;
  QLabel* status_ = nullptr;
  OutcomePreviewPanel* preview_ = nullptr;
  QPushButton* preview_toggle_ = nullptr;
  UndoControl* undo_ = nullptr;

  std::vector<Anchored> anchored_;
  QSize design_size_;      // the client area without the preview
  int preview_width_ = 0;  // what the preview adds at the design size
  int picker_extra_ = 0;   // the width the pickers gained (kept while the preview is open)
  int preview_extra_ = 0;  // the width the preview gained
  QFrame* picker_panel_ = nullptr;
  QFrame* operation_panel_ = nullptr;
  QLineEdit* path1_ = nullptr;  // the typed path of each page, shown over its drive list
  QLineEdit* path3_ = nullptr;
  QLabel* count1_ = nullptr;  // "12 of 200 selected" under each list, where there is room
  QLabel* count2_ = nullptr;
  QFileSystemWatcher watcher_;
  QTimer reread_timer_;
  QElapsedTimer changes_since_;  // since the first change not yet re-read
};

}  // namespace kestro
