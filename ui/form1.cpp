// Form1: the window's frame (tab strips, picker pages, example box, buttons, status line), its
// loading, the tab rules, the pickers' handlers and the buttons. The operation pages are built in
// form1_pages.cpp.
#include "ui/form1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>

#include "batch/form1_design.h"
#include "batch/form1_rules.h"
#include "batch/pickers.h"
#include "batch/rename_str.h"
#include "batch/report_text.h"
#include "batch/session_settings.h"
#include "batch/undo_text.h"
#include "batch/window_batch.h"
#include "engine/messages.h"
#include "engine/printable_text.h"
#include "ui/accessibility.h"
#include "ui/batch_progress.h"
#include "ui/directory_tree_list.h"
#include "ui/drive_list.h"
#include "ui/frm_about.h"
#include "ui/guide_window.h"
#include "ui/key_filters.h"
#include "ui/preview_panel.h"
#include "ui/qt_ui_host.h"
#include "ui/report_details.h"
#include "ui/selectable_list_model.h"
#include "ui/selectable_list_view.h"
#include "ui/twips.h"
#include "ui/undo_control.h"
#include "ui/user_guide.h"

namespace kestro {
namespace {

// The place the design table gives the control `name`, in pixels.
QRect DesignRect(const Twips& twips, const char* name) {
  const TwipRect place = Form1Place(*FindForm1Control(name));
  return twips.Rect(place.left, place.top, place.width, place.height);
}

// Counts in the status line as the user's locale writes them, with thousands separators.
std::string LocaleCount(std::size_t n) {
  return QLocale().toString(static_cast<qulonglong>(n)).toStdString();
}

// Tabs with little padding beside the caption, so the six operation tabs fit their strip.
class CompactTabStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return QProxyStyle::pixelMetric(metric, option, widget) / 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// Frames with their caption set into the top line, as classic dialogs draw them: small frames
// keep their room for the controls inside.
constexpr char kFrameStyle[] =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 7px;"
    " padding-top: 3px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
    " padding: 0px 2px; }";

// A tab strip: the tabs along the top of `rect` and a raised panel below them, on which the
// pages are laid. Returns the tab bar, which carries the strip's name.
QTabBar* MakeTabStrip(const char* name, const QRect& rect, QWidget* parent, QStyle* style,
                      QFrame** panel_out) {
  auto* bar = new QTabBar(parent);
  bar->setObjectName(name);
  bar->setStyle(style);
  bar->setExpanding(false);
  bar->setDrawBase(false);
  bar->setUsesScrollButtons(false);
  bar->setElideMode(Qt::ElideNone);
  // Placeholder tabs for the height; Form_Load puts the real ones in.
  bar->addTab(QStringLiteral("X"));
  const int bar_height = bar->sizeHint().height();
  bar->removeTab(0);
  bar->setGeometry(rect.x() + 2, rect.y(), rect.width() - 4, bar_height);

  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  panel->setGeometry(rect.x(), rect.y() + bar_height - 1, rect.width(),
                     rect.height() - bar_height + 1);
  panel->lower();
  bar->raise();
  *panel_out = panel;
  return bar;
}

}  // namespace

Form1::Form1(WindowState& state, Form1Services services, QWidget* parent)
    : QWidget(parent), state_(state), services_(services) {
  setObjectName("Form1");
  setWindowTitle(QString::fromLatin1(messages::kProgramTitle));
  // The last session's page, operation and fields, before the controls show them.
  RestoreSession(state_, services_.settings);
  BuildWindow();
  BuildComforts();
  ui_host_ = std::make_unique<QtUiHost>(*this, *Text8_);
  batch_ = std::make_unique<BatchRenamer>(state_, services_.fs, services_.clock, *ui_host_);
  Form_Load();
  ConnectControls();
  ConnectComforts();
  RestoreWindow();
  // A batch left from before (the command line's, say) is named before Undo can take it back.
  if (status_text_.isEmpty() && undo_->CanUndo()) {
    ShowStatus(QString::fromStdString(UndoLine(undo_->newest(), LocaleCount)));
  }
}

Form1::~Form1() {
  // The About and guide windows are top-level windows of their own, not children: they go with
  // the main one.
  delete about_.data();
  delete guide_.data();
  // The tab bars use a style that is a child of this window and was created before them, so
  // QWidget would delete it first; a tab bar losing focus as it dies would then touch it.
  delete TabStrip1_;
  TabStrip1_ = nullptr;
  delete TabStrip2_;
  TabStrip2_ = nullptr;
}

void Form1::BuildWindow() {
  SetAccessibleRole(*this, QAccessible::Window);
  // Captions in the small, narrow face of a classic dialog, so every caption fits its place;
  // the first family the system has wins, else the desktop's own. Given in the style sheet, as
  // frames styled by it would not pass a font set here on to their controls.
  QFont small = font();
  small.setFamilies(
      {"Tahoma", "Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica", small.family()});
  small.setPointSizeF(8.25);
  setFont(small);
  setStyleSheet(QStringLiteral("QWidget { font-family: \"%1\"; font-size: 8.25pt; } "
                               "QPushButton#Command10 { font-weight: bold; } %2")
                    .arg(QFontInfo(small).family(), QLatin1String(kFrameStyle)));
  // The tab bars' style; owned here, as a widget does not own the style it is given.
  auto* tab_style = new CompactTabStyle;
  tab_style->setParent(this);
  const Twips twips = Twips::ForWidget(this);
  // The design size is the smallest; a larger window gives its room to the lists (LayOut).
  design_size_ = QSize(twips.Px(kForm1DesignWidth), twips.Px(kForm1ClientHeight));
  preview_width_ = twips.Px(kForm1PreviewWidth);
  setMinimumSize(design_size_);
  resize(design_size_);

  // Left: what to rename.
  TabStrip2_ =
      MakeTabStrip("TabStrip2", twips.Rect(0, 0, 3504, 5160), this, tab_style, &picker_panel_);
  tab_order_.push_back(TabStrip2_);
  dirs_ = new QGroupBox("Pick Directories to Process.", this);
  dirs_->setObjectName("dirs");
  dirs_->setGeometry(twips.Rect(36, 324, 3396, 4764));
  BuildPickerPage(dirs_, true, twips);
  files_ = new QGroupBox("Pick Files to Process.", this);
  files_->setObjectName("files");
  files_->setGeometry(twips.Rect(36, 324, 3396, 4764));
  BuildPickerPage(files_, false, twips);

  // Right: the operation and its settings.
  TabStrip1_ = MakeTabStrip("TabStrip1", twips.Rect(3564, 0, 4680, 3540), this, tab_style,
                            &operation_panel_);
  tab_order_.push_back(TabStrip1_);
  pages_ = {BuildRenamePage(twips), BuildStripPage(twips),     BuildReplacePage(twips),
            BuildCasePage(twips),   BuildExtensionPage(twips), BuildNumberingPage(twips)};

  // The example.
  auto* example = new QGroupBox("Example", this);
  example->setObjectName("Frame2");
  example->setGeometry(twips.Rect(3564, 3600, 4692, 876));
  MakeLabel("Label2", "Before:", example)->setGeometry(twips.Rect(72, 216, 636, 264));
  before_ = MakeField("before", example);
  before_->setReadOnly(true);
  // Read-only, yet Tab stops on it: a screen reader reads the example only from the focus.
  before_->setFocusPolicy(Qt::StrongFocus);
  before_->setGeometry(twips.Rect(720, 216, 3816, 264));
  MakeLabel("Label5", "After:", example)->setGeometry(twips.Rect(72, 504, 636, 264));
  // `after` lies over the example box, at window coordinates.
  after_ = MakeField("after", this);
  after_->setReadOnly(true);
  after_->setFocusPolicy(Qt::StrongFocus);
  after_->setGeometry(twips.Rect(4284, 4104, 3828, 264));
  after_->raise();
  before_->setText(QString::fromStdString(state_.before));
  after_->setText(QString::fromStdString(state_.after));

  QPushButton* rename = MakeButton("Command10", "Rename!", this);  // bold by the style sheet
  rename->setGeometry(twips.Rect(3564, 4536, 1380, 624));
  MakeButton("Command3", "Help", this)->setGeometry(twips.Rect(4968, 4536, 1884, 300));
  MakeButton("Command4", "About", this)->setGeometry(twips.Rect(4968, 4860, 1884, 300));
  MakeButton("Command1", "Quit", this)->setGeometry(twips.Rect(6876, 4536, 1380, 624));

  status_ = new QLabel(this);
  status_->setObjectName("StatusLine");
  status_->setTextFormat(Qt::PlainText);
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status_->setGeometry(DesignRect(twips, "StatusLine"));
  status_->setFocusPolicy(Qt::NoFocus);  // Tab reaches it while it has details to open
  // A status bar, named by its whole text: each new text is sent as a change of its name, which
  // screen readers speak for a status bar; a label's changes they pass over.
  SetAccessibleRole(*status_, QAccessible::StatusBar);
  status_->installEventFilter(this);
  BuildBatchTools(twips);
  NameForm1Controls(*this);
  for (const char* view : {"Dir1", "List1", "Dir3", "List2"})
    SayCurrentEntryOnFocus(*findChild<QAbstractItemView*>(view));

  for (std::size_t i = 1; i < tab_order_.size(); ++i) {
    setTabOrder(tab_order_[i - 1], tab_order_[i]);
  }
}

void Form1::BuildPickerPage(QGroupBox* page, bool directories, const Twips& twips) {
  auto* drive = new DriveList(page);
  drive->setObjectName(directories ? "Drive1" : "Drive2");
  drive->setGeometry(twips.Rect(72, 216, 3252, 288));
  auto* tree = new DirectoryTreeList(services_.fs, page);
  tree->setObjectName(directories ? "Dir1" : "Dir3");
  tree->setGeometry(twips.Rect(72, 540, 3252, 1584));
  SelectableList& list = directories ? state_.List1 : state_.List2;
  auto* model = new SelectableListModel(list, this);
  auto* view = new SelectableListView(*model, page);
  view->setObjectName(directories ? "List1" : "List2");
  view->setGeometry(twips.Rect(72, 2160, 3252, 2160));
  QPushButton* all = MakeButton(directories ? "Command5" : "Command7", "Select All", page);
  all->setGeometry(twips.Rect(72, 4356, 1632, 372));
  QPushButton* none = MakeButton(directories ? "Command6" : "Command8", "Select None", page);
  none->setGeometry(twips.Rect(1728, 4356, 1596, 372));
  // Drive and lists were made before the buttons, but they come first in reading order.
  tab_order_.insert(tab_order_.end() - 2, {drive, tree, view});
  connect(all, &QPushButton::clicked, model, [model] { model->SelectAll(true); });
  connect(none, &QPushButton::clicked, model, [model] { model->SelectAll(false); });
  if (directories) {
    Drive1_ = drive;
    Dir1_ = tree;
    list1_model_ = model;
  } else {
    Drive2_ = drive;
    Dir3_ = tree;
    list2_model_ = model;
  }
}

QRadioButton* Form1::MakeOption(const char* name, const QString& caption, QWidget* parent,
                                QButtonGroup* group) {
  auto* option = new QRadioButton(caption, parent);
  option->setObjectName(name);
  group->addButton(option);
  // Tab stops on the chosen option of a group alone (the arrows still move between them): Qt
  // stops on the first or last one when the choice was made by the program, at start say, and a
  // screen reader said "Hyphen" while " Nothing" was chosen.
  connect(option, &QAbstractButton::toggled, this, [group] {
    for (QAbstractButton* member : group->buttons()) {
      const bool stop = member->isChecked() || group->checkedButton() == nullptr;
      member->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  });
  tab_order_.push_back(option);
  return option;
}

QLineEdit* Form1::MakeField(const char* name, QWidget* parent, int max_length) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  if (max_length > 0) field->setMaxLength(max_length);
  tab_order_.push_back(field);
  return field;
}

QCheckBox* Form1::MakeCheck(const char* name, const QString& caption, QWidget* parent) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  tab_order_.push_back(check);
  return check;
}

QPushButton* Form1::MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter on a focused button presses it, as Space does.
  button->setAutoDefault(true);
  tab_order_.push_back(button);
  return button;
}

QLabel* Form1::MakeLabel(const char* name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

void Form1::BindField(QLineEdit* field, std::string& value, bool refresh) {
  connect(field, &QLineEdit::textChanged, this, [this, &value, refresh](const QString& text) {
    value = text.toStdString();
    if (refresh) CheckAllValues();
  });
}

void Form1::BindCustomField(QLineEdit* field, QRadioButton* option) {
  field->installEventFilter(new FieldKeyWatcher(
      [this, option] {
        option->setChecked(true);
        CheckAllValues();
      },
      [this] { CheckAllValues(); }, field));
}

void Form1::BindCheck(QCheckBox* check, bool& value) {
  check->setChecked(value);
  connect(check, &QCheckBox::toggled, this, [this, &value](bool on) {
    value = on;
    CheckAllValues();
  });
}

void Form1::ConnectControls() {
  connect(TabStrip1_, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
  connect(TabStrip2_, &QTabBar::currentChanged, this, [this] { TabStrip2_Click(); });
  connect(Drive1_, &DriveList::DriveChosen, this, [this] { Drive1_Change(); });
  connect(Drive2_, &DriveList::DriveChosen, this, [this] { Drive2_Change(); });
  connect(Dir1_, &DirectoryTreeList::Clicked, this, [this] { Dir1_Click(); });
  connect(Dir3_, &DirectoryTreeList::Clicked, this, [this] { Dir3_Click(); });
  connect(Dir1_, &DirectoryTreeList::PathChanged, this, [this] {
    Drive1_->ShowDriveOf(QString::fromStdString(Dir1_->path()));
    if (status_line_.FolderOpened()) ShowStatusLine();
  });
  connect(Dir3_, &DirectoryTreeList::PathChanged, this, [this] {
    Drive2_->ShowDriveOf(QString::fromStdString(Dir3_->path()));
    if (status_line_.FolderOpened()) ShowStatusLine();
  });
  for (DirectoryTreeList* tree : {Dir1_, Dir3_}) {
    connect(tree, &DirectoryTreeList::Failed, this,
            [this](const QString& reason) { ShowStatus(reason, StatusLine::About::kPath); });
  }
  auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
  connect(button("Command10"), &QPushButton::clicked, this, [this] { Command10_Click(); });
  connect(button("Command1"), &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(button("Command3"), &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(button("Command4"), &QPushButton::clicked, this, [this] { Command4_Click(); });
  ConnectBatchTools();
}

void Form1::BuildBatchTools(const Twips& twips) {
  QPushButton* undo = MakeButton("Undo", "Undo", this);
  undo->setGeometry(DesignRect(twips, "Undo"));
  undo_ = new UndoControl(
      *undo, *this, services_.fs, services_.journal,
      [this] { return state_.TargetKind ? state_.dirs_folder : state_.files_folder; },
      [this](const UndoReport& report, const Status& noted) {
        std::string status = DescribeUndo(report, LocaleCount);
        if (!noted.ok()) {
          status += " The journal could not note it: " + noted.message() + ".";
        }
        batch_->Dir2_Change();
        batch_->File1_PathChange();
        status += RefreshAfterBatch(report);
        if (undo_->CanUndo()) status += " " + UndoLine(undo_->newest(), LocaleCount);
        ShowOutcome(status, report);
      });
  preview_toggle_ = MakeButton("PreviewToggle", "Preview", this);
  preview_toggle_->setCheckable(true);
  preview_toggle_->setToolTip("Show what \"Rename!\" will do with every selected entry");
  preview_toggle_->setGeometry(DesignRect(twips, "PreviewToggle"));
  preview_ = new OutcomePreviewPanel(state_, services_.fs, services_.clock, this);
  preview_->setGeometry(twips.Rect(kForm1DesignWidth, 0, kForm1PreviewWidth, kForm1ClientHeight));
  preview_->SetDesignWidth(preview_->width());
  preview_->hide();
}

void Form1::ConnectBatchTools() {
  connect(preview_toggle_, &QPushButton::toggled, this, [this](bool on) { ShowPreview(on); });
  // Every edit reaches the preview, also one that does not refresh the example (a custom text
  // pasted by mouse); edits in one go make one preview.
  for (auto* field : findChildren<QLineEdit*>()) {
    connect(field, &QLineEdit::textChanged, preview_, [this] { preview_->Schedule(); });
  }
  for (auto* option : findChildren<QAbstractButton*>()) {
    if (option->isCheckable() && option != preview_toggle_) {
      connect(option, &QAbstractButton::toggled, preview_, [this] { preview_->Schedule(); });
    }
  }
  // A change of selection shows at once; a refilled list may hold other names.
  for (SelectableListModel* model : {list1_model_, list2_model_}) {
    connect(model, &QAbstractItemModel::dataChanged, preview_, [this] { preview_->Schedule(); });
    connect(model, &QAbstractItemModel::modelReset, preview_, [this] { preview_->NamesChanged(); });
  }
}

void Form1::Form_Load() {
  // LastDir to both pages (an empty or vanished one leaves the current folder), their lists
  // filled, and Dir1_Click, which writes the folder back as LastDir.
  const Status restored = RestorePickers(state_, *batch_, services_.fs, services_.settings);
  if (!restored.ok())
    ShowStatus(QString::fromStdString(restored.message()), StatusLine::About::kPath);
  if (const std::string why = SettingsNotKept(services_.settings); !why.empty()) {
    ShowStatus(QString::fromStdString(why));
  }
  if (!Dir1_->SetPath(state_.dirs_folder).ok()) Dir1_->SetPath(".");
  if (!Dir3_->SetPath(state_.files_folder).ok()) Dir3_->SetPath(".");
  Drive1_->ShowDriveOf(QString::fromStdString(Dir1_->path()));
  Drive2_->ShowDriveOf(QString::fromStdString(Dir3_->path()));
  ReloadLists();

  {
    const QSignalBlocker block1(TabStrip1_);
    const QSignalBlocker block2(TabStrip2_);
    while (TabStrip1_->count() > 0) TabStrip1_->removeTab(0);
    for (const OperationTab& tab : OperationTabs()) TabStrip1_->addTab(tab.caption);
    while (TabStrip2_->count() > 0) TabStrip2_->removeTab(0);
    for (const char* caption : TargetTabs()) TabStrip2_->addTab(caption);
    // The page and operation of the last session (the design's first ones on a first start).
    for (std::size_t i = 0; i < OperationTabs().size(); ++i) {
      if (OperationTabs()[i].operation == state_.active_operation)
        TabStrip1_->setCurrentIndex(static_cast<int>(i));
    }
    TabStrip2_->setCurrentIndex(state_.TargetKind ? 0 : 1);
  }

  // The date captions are taken once: a window left open past midnight keeps its day.
  LoadDateCaptions(state_, services_.clock.Today());
  Option10_->setText(QString::fromStdString(state_.common_style.captions.Option10));
  Option9_->setText(QString::fromStdString(state_.common_style.captions.Option9));
  Option8_->setText(QString::fromStdString(state_.common_style.captions.Option8));
  Option7_->setText(QString::fromStdString(state_.common_style.captions.Option7));

  state_.before = state_.TargetKind ? kExampleDirectory : kExampleFilename;
  before_->setText(QString::fromLatin1(state_.before));
  ShowPages();
  CheckAllValues();
}

void Form1::ShowPages() {
  dirs_->setVisible(PageShown(state_, "dirs"));
  files_->setVisible(PageShown(state_, "files"));
  for (QWidget* page : pages_)
    page->setVisible(PageShown(state_, page->objectName().toStdString()));
}

void Form1::CheckAllValues() {
  if (ui_host_ == nullptr) return;  // still building: Form_Load refreshes at its end
  kestro::CheckAllValues(state_, services_.clock, *ui_host_);
  after_->setText(QString::fromStdString(state_.after));
  ShowPatternProblem();
  preview_->Schedule();
}

void Form1::ShowPatternProblem() {
  std::string problem = ReplacePatternError(state_);
  if (problem == pattern_problem_) return;
  // The field keeps its own tooltip under the mark; the status line goes back to empty only
  // when it still says this problem.
  const bool status_said_it =
      !pattern_problem_.empty() &&
      status_text_ == QString::fromStdString(PrintableText(pattern_problem_));
  pattern_problem_ = std::move(problem);
  Text8_->setProperty("patternProblem", !pattern_problem_.empty());
  Text8_->setStyleSheet(pattern_problem_.empty()
                            ? QString()
                            : QStringLiteral("QLineEdit { background: #ffd7d7; color: #000; }"));
  if (!pattern_problem_.empty()) {
    ShowStatus(QString::fromStdString(pattern_problem_));
  } else if (status_said_it) {
    ShowStatus(QString());
  }
}

void Form1::TabStrip1_Click() {
  // By its place: the caption on the tab carries its key's mnemonic.
  const auto tab = static_cast<std::size_t>(TabStrip1_->currentIndex());
  if (tab < OperationTabs().size()) ChooseOperationTab(state_, OperationTabs()[tab].caption);
  ShowPages();
  CheckAllValues();
}

void Form1::TabStrip2_Click() {
  const auto tab = static_cast<std::size_t>(TabStrip2_->currentIndex());
  if (tab < TargetTabs().size()) ChooseTargetTab(state_, TargetTabs()[tab]);
  ShowPages();
  before_->setText(QString::fromStdString(state_.before));
  SmartCheck_->setChecked(state_.SmartCheck);
  CheckAllValues();
}

void Form1::Drive1_Change() {
  const Status status = Dir1_->SetPath(Drive1_->drive().toStdString());
  if (!status.ok()) {
    Drive1_->RevertChange();
    ShowStatus(QString::fromStdString(status.message()), StatusLine::About::kPath);
  }
}

void Form1::Drive2_Change() {
  const Status status = Dir3_->SetPath(Drive2_->drive().toStdString());
  if (!status.ok()) {
    Drive2_->RevertChange();
    ShowStatus(QString::fromStdString(status.message()), StatusLine::About::kPath);
  }
}

void Form1::Dir1_Click() {
  const Status status = ChooseDirectoriesFolder(state_, *batch_, services_.fs, services_.settings,
                                                Dir1_->SelectedFolder());
  list1_model_->Reload();
  WatchFolders();
  ShowChoosing(status);
}

void Form1::Dir3_Click() {
  const Status status =
      ChooseFilesFolder(state_, *batch_, services_.fs, services_.settings, Dir3_->SelectedFolder());
  list2_model_->Reload();
  WatchFolders();
  ShowChoosing(status);
}

void Form1::ShowChoosing(const Status& chosen) {
  if (!chosen.ok()) {
    ShowStatus(QString::fromStdString(chosen.message()), StatusLine::About::kPath);
  } else if (status_line_.FolderOpened()) {
    ShowStatusLine();
  }
}

void Form1::Command10_Click() {
  preview_->Pause();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  last_report_ =
      RunWindowBatch(*this, state_, services_.fs, services_.clock, *ui_host_, services_.journal);
  QApplication::restoreOverrideCursor();
  undo_->MadeHere(last_report_.journal);
  undo_->Refresh();
  std::string status = DescribeBatch(last_report_, LocaleCount);
  if (!last_report_.journal_error.empty())
    status += " It cannot be undone: " + last_report_.journal_error + ".";
  status += RefreshAfterBatch(last_report_);
  if (undo_->CanUndo()) status += " " + UndoLine(undo_->newest(), LocaleCount);
  ShowOutcome(status, last_report_);
  preview_->Resume();
}

std::string Form1::RefreshAfterBatch(const BatchReport& report) {
  std::string said;
  // A page on a folder that the batch renamed, or on one below it, follows it to its new name.
  // One on a folder gone otherwise shows the nearest folder above it that is still there.
  const auto follow = [&](const std::string& was, DirectoryTreeList* tree, bool directories) {
    std::string gone;
    const std::string there = FolderAfterBatch(services_.fs, was, report, directories, &gone);
    if (there.empty()) return;
    if (said.empty()) said = gone;
    if (directories) {
      ChooseDirectoriesFolder(state_, *batch_, services_.fs, services_.settings, there);
    } else {
      ChooseFilesFolder(state_, *batch_, services_.fs, services_.settings, there);
    }
    tree->SetPath(there);
  };
  if (report.ran) {
    follow(state_.dirs_folder, Dir1_, true);
    follow(state_.files_folder, Dir3_, false);
  }
  ReloadLists();
  // Renamed sub-directories show their new names in the trees too.
  if (!Dir1_->Refresh().ok()) Dir1_->SetPath(state_.dirs_folder);
  if (!Dir3_->Refresh().ok()) Dir3_->SetPath(state_.files_folder);
  WatchFolders();
  return said;
}

void Form1::Command1_Click() { close(); }

void Form1::Command3_Click() {
  // The guide is shown by the program itself, so it is there also where no program opens HTML;
  // a second click brings the one guide window back to the front.
  if (guide_ == nullptr) {
    auto guide = std::make_unique<GuideWindow>(services_.opener);
    const Status loaded =
        guide->Load(services_.user_guide.empty() ? UserGuidePath() : services_.user_guide);
    if (!loaded.ok()) {
      ui_host_->ShowMessage(Message{messages::kGuideNotOpened + loaded.message(),
                                    messages::kProgramTitle, MessageIcon::Exclamation});
      return;
    }
    guide_ = guide.release();
  }
  guide_->setWindowState(guide_->windowState() & ~Qt::WindowMinimized);
  guide_->show();
  guide_->raise();
  guide_->activateWindow();
}

void Form1::Command4_Click() {
  if (about_ != nullptr) return;
  about_ = new FrmAbout();
  // Disabling the window takes the focus from its control; closing About gives it back there,
  // not to the first control, so a screen reader goes on where the user was.
  QPointer<QWidget> focused = QApplication::focusWidget();
  connect(about_.data(), &FrmAbout::Closed, this, [this, focused] {
    setEnabled(true);
    if (focused != nullptr && focused->window() == this) focused->setFocus(Qt::OtherFocusReason);
  });
  QRect area = about_->frameGeometry();
  area.moveCenter(frameGeometry().center());
  about_->move(area.topLeft());
  about_->show();
  setEnabled(false);
}

void Form1::closeEvent(QCloseEvent* event) {
  // Quit and the close box end the program, the About and guide windows with it; the session is
  // kept for the next start.
  SaveSession();
  if (about_ != nullptr) about_->close();
  if (guide_ != nullptr) guide_->close();
  event->accept();
  QCoreApplication::quit();
}

void Form1::ReloadLists() {
  list1_model_->Reload();
  list2_model_->Reload();
}

void Form1::ShowOutcome(const std::string& text, const BatchReport& report) {
  ShowStatus(QString::fromStdString(text));
  details_ = KeptReasons(report);
  if (!details_.empty()) {
    status_->setToolTip(status_->toolTip() +
                        QStringLiteral("\n\nClick for every entry that kept its name."));
    status_->setFocusPolicy(Qt::TabFocus);
  }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == status_ && !details_.empty()) {
    // A click, or Space or Enter while it has the focus, opens the details.
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool pressed =
        key != nullptr && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                           key->key() == Qt::Key_Enter);
    if (pressed || event->type() == QEvent::MouseButtonRelease) {
      auto* details = new ReportDetails(status_text_, details_, this);
      details->show();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::ShowStatus(const QString& line, StatusLine::About about) {
  status_line_.Show(line.toStdString(), about);
  ShowStatusLine();
}

void Form1::ShowCount(bool directories) {
  const QLabel* count = directories ? count1_ : count2_;
  status_line_.Show(count->text().toStdString(), StatusLine::About::kSelection, directories,
                    directories ? state_.dirs_folder : state_.files_folder);
  ShowStatusLine();
}

void Form1::ShowStatusLine() {
  details_.clear();
  status_->setFocusPolicy(Qt::NoFocus);
  const QString text = QString::fromStdString(PrintableText(status_line_.text()));
  status_text_ = text;
  status_->setToolTip(text);
  status_->setAccessibleName(text);
  status_->setText(
      status_->fontMetrics().elidedText(text, Qt::ElideRight, status_->contentsRect().width() - 4));
}

}  // namespace kestro
