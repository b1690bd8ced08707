// Form1's comforts around the design: a window that grows, shortcuts and tooltips, a path typed
// into a picker, folders dropped on the window, the selection counts, folders re-read when they
// change, and the session kept for the next start. At the design size the window is laid out
// exactly as the design has it.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <functional>
#include <set>

#include "batch/list_reread.h"
#include "batch/session_settings.h"
#include "ui/directory_tree_list.h"
#include "ui/drive_list.h"
#include "ui/form1.h"
#include "ui/preview_panel.h"
#include "ui/selectable_list_model.h"

namespace kestro {
namespace {

// A folder being filled by another program is re-read once it has been quiet this long, and at
// least this often while it keeps changing, so a folder of 100,000 entries filling up costs a
// few reads, not one per entry.
constexpr int kQuietMs = 300;
constexpr int kLongestWaitMs = 2000;

// Calls `on_key` for every key pressed in the watched object (true: the key was used) and
// `on_focus_out` when it loses the focus.
class KeyWatch : public QObject {
 public:
  KeyWatch(std::function<bool(const QKeyEvent&)> on_key, std::function<void()> on_focus_out,
           QObject* parent)
      : QObject(parent), on_key_(std::move(on_key)), on_focus_out_(std::move(on_focus_out)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && on_key_(static_cast<QKeyEvent&>(*event))) return true;
    if (event->type() == QEvent::FocusOut && on_focus_out_) on_focus_out_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(const QKeyEvent&)> on_key_;
  std::function<void()> on_focus_out_;
};

// What each control does, as its tooltip says; the shortcut, where it has one, in brackets.
struct Tip {
  const char* name;
  const char* text;
};
constexpr Tip kTips[] = {
    {"Drive1", "The drive whose folders the tree shows"},
    {"Drive2", "The drive whose folders the tree shows"},
    {"Dir1",
     "Click a folder to rename its sub-directories; double-click to open it. Type a path, or "
     "press Ctrl+L, to open a folder by its path"},
    {"Dir3",
     "Click a folder to rename its files; double-click to open it. Type a path, or press "
     "Ctrl+L, to open a folder by its path"},
    {"List1", "Click to select; Shift+click selects a range, Ctrl+A all"},
    {"List2", "Click to select; Shift+click selects a range, Ctrl+A all"},
    {"Command5", "Select every entry of the list"},
    {"Command7", "Select every entry of the list"},
    {"Command6", "Select no entry of the list"},
    {"Command8", "Select no entry of the list"},
    {"Command10", "Rename the selected entries as the example shows (Alt+R)"},
    {"Command3", "The user guide (F1, Alt+H)"},
    {"Command4", "About Kestrovane (Alt+A)"},
    {"Command1", "Close Kestrovane (Alt+Q)"},
    {"PreviewToggle", "Show what \"Rename!\" will do with every selected entry (Alt+P)"},
    {"before", "A name as it is"},
    {"after", "The same name after the operation"},
    {"SmartCheck", "Strip from the name and keep the file's extension"},
    {"CaseExtOnly", "Change the case of the part after the last dot alone"},
    {"Text6", "How many characters to strip"},
    {"Text8", "The text to replace, found without regard to case unless \"Match case\" is checked"},
    {"RegexCheck",
     "Field A is a regular expression: $1 in field B puts back a group, \\U$1 in capitals"},
    {"MatchCase", "Field A matches only in its own letter case"},
    {"Text7", "The text to put in its place; empty removes it"},
    {"extad", "The text added to the end of every name"},
    {"TabStrip2", "What to rename: sub-directories or files (Alt+D, Alt+F)"},
    {"TabStrip1", "The operation \"Rename!\" applies (Alt+E, T, L, C, X, N)"},
    {"Frame8", "The mark put before the info"},
    {"Frame9", "The info: today's date in one of four orders, or a text of your own"},
    {"Frame4", "The mark put after the info"},
    {"Frame6", "What stands between the prefix and the name"},
    {"leftoption", "Strip from the start of the name"},
    {"rightoption", "Strip from the end of the name"},
    {"Frame1", "Fill in both fields with a common replacement"},
    {"lowercase", "Every letter small"},
    {"uppercase", "Every letter capital"},
    {"sentence", "The first letter and every letter after a blank capital, the others small"},
    {"Frame3", "Fill in a common extension"},
    {"sortascending", "Number the entries from the first in the list"},
    {"sortdescending", "Number the entries from the last in the list"},
    {"sortleading", "Write every number with as many digits as the largest"},
    {"sortlen", "Write every number with this many digits"},
    {"sortlennum", "How many digits every number gets"},
    {"sortstartat", "Start numbering at this number instead of 1"},
    {"sortstartatnum", "The first number"},
};

// The shortcuts: a button pressed, or a tab chosen, by Alt and a letter of its caption.
struct ButtonKey {
  const char* name;
  int key;
};
constexpr ButtonKey kButtonKeys[] = {
    {"Command10", Qt::Key_R}, {"Command3", Qt::Key_H}, {"Command4", Qt::Key_A},
    {"Command1", Qt::Key_Q},  {"Undo", Qt::Key_U},     {"PreviewToggle", Qt::Key_P},
};
// The operation tabs in their order: Rename, Strip, Replace, Case, Extension, Numbering.
constexpr int kOperationKeys[] = {Qt::Key_E, Qt::Key_T, Qt::Key_L, Qt::Key_C, Qt::Key_X, Qt::Key_N};

QString CountText(std::size_t selected, std::size_t all) {
  const QLocale locale;
  return QStringLiteral("%1 of %2 selected")
      .arg(locale.toString(static_cast<qulonglong>(selected)),
           locale.toString(static_cast<qulonglong>(all)));
}

}  // namespace

void Form1::Anchor(QWidget* widget, Follow follow) {
  anchored_.push_back({widget, widget->geometry(), follow});
}

void Form1::BuildComforts() {
  Anchor(picker_panel_, Follow::kPickers);
  Anchor(TabStrip2_, Follow::kWiden);
  for (QWidget* page : {static_cast<QWidget*>(dirs_), static_cast<QWidget*>(files_)}) {
    Anchor(page, Follow::kPickers);
  }
  for (QWidget* widget : {static_cast<QWidget*>(Drive1_), static_cast<QWidget*>(Drive2_)}) {
    Anchor(widget, Follow::kWiden);
  }
  Anchor(Dir1_, Follow::kTree);
  Anchor(Dir3_, Follow::kTree);
  for (const char* name : {"List1", "List2"}) Anchor(findChild<QWidget*>(name), Follow::kList);
  for (const char* name : {"Command5", "Command7"}) {
    Anchor(findChild<QWidget*>(name), Follow::kLeftButton);
  }
  for (const char* name : {"Command6", "Command8"}) {
    Anchor(findChild<QWidget*>(name), Follow::kRightButton);
  }
  // The typed path lies over the drive list; the count under the list, where the list's growth
  // makes room for it (none at the design size, which is laid out as designed).
  const auto make_path = [this](QGroupBox* page, const char* name, DriveList* drive) {
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    field->setGeometry(drive->geometry());
    field->setToolTip("A folder's path: Enter opens it, Escape closes the field");
    field->hide();
    Anchor(field, Follow::kWiden);
    return field;
  };
  path1_ = make_path(dirs_, "DirPath1", Drive1_);
  path3_ = make_path(files_, "DirPath3", Drive2_);
  const auto make_count = [this](QGroupBox* page, const char* name, const char* list) {
    auto* label = new QLabel(page);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    const QRect under = page->findChild<QWidget*>(list)->geometry();
    label->setGeometry(under.x(), under.bottom() + 1, under.width(), 0);
    label->hide();
    Anchor(label, Follow::kCount);
    return label;
  };
  count1_ = make_count(dirs_, "List1Count", "List1");
  count2_ = make_count(files_, "List2Count", "List2");

  Anchor(operation_panel_, Follow::kRight);
  Anchor(TabStrip1_, Follow::kRight);
  for (QWidget* page : pages_) Anchor(page, Follow::kRight);
  Anchor(findChild<QWidget*>("Frame2"), Follow::kRight);
  Anchor(after_, Follow::kRight);
  for (const char* name : {"Command10", "Command3", "Command4", "Command1"}) {
    Anchor(findChild<QWidget*>(name), Follow::kRight);
  }
  Anchor(status_, Follow::kStatus);
  Anchor(findChild<QWidget*>("Undo"), Follow::kBottomRight);
  Anchor(preview_toggle_, Follow::kBottomRight);
  Anchor(preview_, Follow::kPreview);

  for (const Tip& tip : kTips) {
    if (auto* widget = findChild<QWidget*>(tip.name)) widget->setToolTip(tip.text);
  }
  setAcceptDrops(true);
  reread_timer_.setSingleShot(true);
  reread_timer_.setInterval(kQuietMs);
}

void Form1::ConnectComforts() {
  const auto shortcut = [this](QKeySequence keys, std::function<void()> act) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, std::move(act));
  };
  for (const ButtonKey& key : kButtonKeys) {
    auto* button = findChild<QPushButton*>(key.name);
    shortcut(QKeySequence(Qt::ALT | key.key), [button] {
      if (button->isVisible() && button->isEnabled()) button->click();
    });
  }
  for (int i = 0; i < static_cast<int>(std::size(kOperationKeys)); ++i) {
    shortcut(QKeySequence(Qt::ALT | kOperationKeys[i]), [this, i] {
      TabStrip1_->setCurrentIndex(i);
      TabStrip1_->setFocus();
    });
  }
  shortcut(QKeySequence(Qt::ALT | Qt::Key_D), [this] { TabStrip2_->setCurrentIndex(0); });
  shortcut(QKeySequence(Qt::ALT | Qt::Key_F), [this] { TabStrip2_->setCurrentIndex(1); });
  shortcut(QKeySequence(Qt::Key_F1), [this] { Command3_Click(); });
  shortcut(QKeySequence(Qt::Key_F5), [this] { RereadFolders(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), [this] {
    const bool directories = state_.TargetKind;
    // Selected, as a file manager's location field does: what is typed replaces it.
    ShowPathField(directories, QString::fromStdString(directories ? Dir1_->path() : Dir3_->path()),
                  true);
  });

  // Typing a path (it starts with "/" or "~") or pasting one into a page's tree or drive list
  // opens that page's path field with it.
  const auto watch_picker = [this](QWidget* widget, bool directories) {
    widget->installEventFilter(new KeyWatch(
        [this, directories](const QKeyEvent& key) {
          if (key.matches(QKeySequence::Paste)) {
            ShowPathField(directories, QApplication::clipboard()->text().trimmed());
            return true;
          }
          if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
          if (key.text() != "/" && key.text() != "~") return false;
          ShowPathField(directories, key.text());
          return true;
        },
        nullptr, widget));
  };
  watch_picker(Dir1_, true);
  watch_picker(Drive1_, true);
  watch_picker(Dir3_, false);
  watch_picker(Drive2_, false);
  for (QLineEdit* field : {path1_, path3_}) {
    const bool directories = field == path1_;
    connect(field, &QLineEdit::returnPressed, this,
            [this, directories] { OpenTypedPath(directories); });
    field->installEventFilter(new KeyWatch(
        [this, field, directories](const QKeyEvent& key) {
          if (key.key() != Qt::Key_Escape) return false;
          field->hide();
          (directories ? Dir1_ : Dir3_)->setFocus();
          return true;
        },
        [field] { field->hide(); }, field));
  }

  for (SelectableListModel* model : {list1_model_, list2_model_}) {
    const bool directories = model == list1_model_;
    QLabel* count = directories ? count1_ : count2_;
    connect(model, &QAbstractItemModel::dataChanged, this, [this, count, directories] {
      UpdateCounts();
      // Without room for the count under the list (the design size), a change of the selection
      // shows it on the status line.
      if (count->isHidden()) ShowCount(directories);
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this, count, directories] {
      UpdateCounts();
      if (status_line_.ListChanged(directories,
                                   directories ? state_.dirs_folder : state_.files_folder,
                                   count->text().toStdString())) {
        ShowStatusLine();
      }
    });
  }
  UpdateCounts();
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { FolderChanged(); });
  connect(&reread_timer_, &QTimer::timeout, this, [this] {
    // While a dialog is up (a batch's progress, its messages) the lists stay as the batch has
    // them; they are read once it is gone.
    if (QApplication::activeModalWidget() != nullptr) return reread_timer_.start();
    RereadFolders();
  });
  WatchFolders();
}

void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void Form1::LayOut() {
  const bool preview_open = preview_toggle_ != nullptr && preview_toggle_->isChecked();
  const int dy = std::max(0, height() - design_size_.height());
  const int dx = std::max(0, width() - design_size_.width() - (preview_open ? preview_width_ : 0));
  // With the preview closed the pickers take the extra width. While it is open they share it
  // equally with the preview, but never have less than they had when it opened.
  if (!preview_open) picker_extra_ = dx;
  const int dl = std::min(dx, std::max(picker_extra_, dx / 2));
  preview_extra_ = dx - dl;
  const int tree_dy = dy / 3;
  const int count_height = count1_->fontMetrics().height() + 4;
  const bool counts_shown = dy - tree_dy >= count_height;
  for (const Anchored& a : anchored_) {
    QRect r = a.design;
    switch (a.follow) {
      case Follow::kPickers:
        r.adjust(0, 0, dl, dy);
        break;
      case Follow::kWiden:
        r.adjust(0, 0, dl, 0);
        break;
      case Follow::kTree:
        r.adjust(0, 0, dl, tree_dy);
        break;
      case Follow::kList:
        r.adjust(0, tree_dy, dl, dy - (counts_shown ? count_height : 0));
        break;
      case Follow::kCount:
        r = QRect(r.x(), r.y() + dy - count_height, r.width() + dl, count_height);
        a.widget->setVisible(counts_shown);
        break;
      case Follow::kLeftButton:
        r.adjust(0, dy, dl / 2, dy);
        break;
      case Follow::kRightButton:
        r.adjust(dl / 2, dy, dl, dy);
        break;
      case Follow::kRight:
        r.translate(dl, 0);
        break;
      case Follow::kStatus:
        r.adjust(0, dy, dl, dy);
        break;
      case Follow::kBottomRight:
        r.translate(dl, dy);
        break;
      case Follow::kPreview:
        r.adjust(dl, 0, dl + preview_extra_, dy);
        break;
    }
    if (a.widget->geometry() != r) a.widget->setGeometry(r);
  }
}

void Form1::ShowPreview(bool on) {
  // The window widens by the preview, or narrows by all the preview had.
  // Worked out first: a larger minimum would widen the window by itself.
  const int width_then = on ? width() + preview_width_ : width() - preview_width_ - preview_extra_;
  setMinimumSize(design_size_.width() + (on ? preview_width_ : 0), design_size_.height());
  preview_->setVisible(on);
  if (!isMaximized() && !isFullScreen()) resize(width_then, height());
  LayOut();
}

void Form1::UpdateCounts() {
  count1_->setText(CountText(state_.List1.SelectedCount(), state_.List1.size()));
  count2_->setText(CountText(state_.List2.SelectedCount(), state_.List2.size()));
}

void Form1::ShowPathField(bool directories, const QString& text, bool selected) {
  QLineEdit* field = directories ? path1_ : path3_;
  field->setText(text);
  field->show();
  field->raise();
  field->setFocus();
  if (selected) {
    field->selectAll();
  } else {
    field->end(false);
  }
}

void Form1::OpenTypedPath(bool directories) {
  QLineEdit* field = directories ? path1_ : path3_;
  QString path = field->text().trimmed();
  if (path == "~" || path.startsWith("~/")) path = QDir::homePath() + path.mid(1);
  if (path.isEmpty()) return;
  if (!OpenFolder(path.toStdString(), directories).ok()) {
    field->selectAll();  // the path stays, to be put right
    return;
  }
  field->hide();
  (directories ? Dir1_ : Dir3_)->setFocus();
}

Status Form1::OpenFolder(const std::string& folder, bool directories) {
  const QFileInfo info(QString::fromStdString(folder));
  DirectoryTreeList* tree = directories ? Dir1_ : Dir3_;
  const Status opened = info.exists() && !info.isDir() ? Status::Error(Status::Code::kInvalidName,
                                                                       "it is a file, not a folder")
                                                       : tree->SetPath(folder);
  if (!opened.ok()) {
    ShowStatus(QStringLiteral("'%1' cannot be opened: %2.")
                   .arg(QString::fromStdString(folder), QString::fromStdString(opened.message())),
               StatusLine::About::kPath);
    return opened;
  }
  TabStrip2_->setCurrentIndex(directories ? 0 : 1);
  if (directories) {
    Dir1_Click();
  } else {
    Dir3_Click();
  }
  return opened;
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) return event->acceptProposedAction();
  }
}

void Form1::dropEvent(QDropEvent* event) {
  std::vector<QFileInfo> dropped;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) dropped.emplace_back(url.toLocalFile());
  }
  if (dropped.empty()) return;
  event->acceptProposedAction();
  const QFileInfo& first = dropped.front();
  if (first.isDir()) {
    OpenFolder(first.absoluteFilePath().toStdString(), state_.TargetKind);
    return;
  }
  if (!OpenFolder(first.absolutePath().toStdString(), false).ok()) return;
  // The dropped files of that folder come selected, ready to rename.
  std::vector<std::string> names;
  for (const QFileInfo& file : dropped) {
    if (file.absolutePath() == first.absolutePath()) names.push_back(file.fileName().toStdString());
  }
  SelectEntries(state_.List2, names);
  list2_model_->Reload();
  // As a click selecting them would.
  if (count2_->isHidden() && state_.List2.SelectedCount() > 0) ShowCount(false);
}

void Form1::RereadFolders() {
  const std::string dirs_was = state_.dirs_folder;
  const std::string files_was = state_.files_folder;
  const std::vector<std::string> kept1 = SelectedEntries(state_.List1);
  const std::vector<std::string> kept2 = SelectedEntries(state_.List2);
  batch_->Dir2_Change();
  batch_->File1_PathChange();
  // As after a batch that renamed nothing: a page whose folder is gone shows the nearest folder
  // above it that is still there, and says so; the trees are read anew.
  BatchReport nothing_renamed;
  nothing_renamed.ran = true;
  const std::string said = RefreshAfterBatch(nothing_renamed);
  if (state_.dirs_folder == dirs_was) SelectEntries(state_.List1, kept1);
  if (state_.files_folder == files_was) SelectEntries(state_.List2, kept2);
  ReloadLists();
  if (!said.empty()) ShowStatus(QString::fromStdString(said).trimmed());
}

void Form1::WatchFolders() {
  std::set<QString> wanted;
  for (const std::string& folder :
       {state_.dirs_folder, state_.files_folder, Dir1_->path(), Dir3_->path()}) {
    if (!folder.empty()) wanted.insert(QString::fromStdString(folder));
  }
  const QStringList watched = watcher_.directories();
  if (std::set<QString>(watched.begin(), watched.end()) == wanted) return;
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  for (const QString& folder : wanted) watcher_.addPath(folder);
}

void Form1::FolderChanged() {
  // Changes in a row wait for a quiet moment, but never longer than kLongestWaitMs in all.
  if (!reread_timer_.isActive()) {
    changes_since_.start();
  } else if (changes_since_.elapsed() >= kLongestWaitMs) {
    return;
  }
  reread_timer_.start();
}

void Form1::SaveSession() {
  kestro::SaveSession(state_, services_.settings);
  const bool preview_open = preview_toggle_->isChecked();
  const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
  SaveWindowPlacement({size.width(), size.height(), preview_open}, services_.settings);
}

void Form1::RestoreWindow() {
  // The size without the preview first, so the pickers get the extra width, then the preview.
  const QSize room = screen()->availableGeometry().size();
  const SavedWindow saved =
      FitToScreen(RestoreWindowPlacement(services_.settings), room.width(), room.height());
  if (saved.width > 0) {
    resize(std::max(saved.width - (saved.preview ? preview_width_ : 0), minimumWidth()),
           std::max(saved.height, minimumHeight()));
    LayOut();  // not shown yet: no resize event comes before the preview opens
  }
  if (saved.preview) preview_toggle_->setChecked(true);
}

}  // namespace kestro
