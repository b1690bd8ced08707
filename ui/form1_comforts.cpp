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
#include <string_view>

#include "batch/form1_keys.h"
#include "batch/form1_tips.h"
#include "batch/list_reread.h"
#include "batch/list_selection.h"
#include "batch/path_input.h"
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

// Clicks the watched button at once when its own shortcut is pressed, and only while it can be
// clicked. The shortcut is the button's own so that assistive technology reads it as the
// button's key binding; left to itself, a button clicks a tenth of a second later, to be seen
// down, and a batch's result would come after what the keys typed next.
class ShortcutClick : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Shortcut) return QObject::eventFilter(watched, event);
    auto* button = static_cast<QAbstractButton*>(watched);
    if (button->isVisible() && button->isEnabled()) button->click();
    return true;
  }
};

// Gives each tab of `bar` its Alt key as a mnemonic: the caption reads the same, with the key's
// letter underlined, and assistive technology reads the key as the tab's.
void MarkTabKeys(QTabBar& bar, std::string_view strip) {
  for (const AltKey& key : Form1AltKeys()) {
    if (key.tab < 0 || key.tab >= bar.count() || strip != key.name) continue;
    const std::string caption = MnemonicCaption(bar.tabText(key.tab).toStdString(), key.letter);
    bar.setTabText(key.tab, QString::fromStdString(caption));
  }
}

// Chosen by its key, an operation tab also takes the focus, so the arrows move on from it.
class TabKeyFocus : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Shortcut) return QObject::eventFilter(watched, event);
    auto* bar = static_cast<QTabBar*>(watched);
    const QKeySequence keys = static_cast<QShortcutEvent*>(event)->key();
    for (int i = 0; i < bar->count(); ++i) {
      if (QKeySequence::mnemonic(bar->tabText(i)) != keys) continue;
      bar->setCurrentIndex(i);
      bar->setFocus(Qt::ShortcutFocusReason);
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

QString CountText(std::size_t selected, std::size_t all) {
  const QLocale locale;
  return QString::fromStdString(SelectionCountText(selected, all, [&locale](std::size_t n) {
    return locale.toString(static_cast<qulonglong>(n)).toStdString();
  }));
}

}  // namespace

void Form1::Anchor(QWidget* widget, Follow follow) {
  anchored_.push_back({widget, widget->geometry(), follow});
}

void Form1::BuildComforts() {
  // The tab strips are a bar over a panel here: the bar widens, the panel grows.
  Anchor(picker_panel_, Follow::kPickers);
  Anchor(TabStrip2_, Follow::kWiden);
  Anchor(operation_panel_, Follow::kRight);
  Anchor(TabStrip1_, Follow::kRight);
  // The rest of the design follows by the shared rule; what lies in a page moves with it.
  for (const FormControl& control : Form1Controls()) {
    const Follow follow = Form1FollowOf(control);
    if (follow == Follow::kStay || control.kind == ControlKind::kTabStrip) continue;
    const FormControl* parent = control.parent ? FindForm1Control(control.parent) : nullptr;
    if (parent != nullptr && Form1FollowOf(*parent) == follow) continue;
    if (auto* widget = findChild<QWidget*>(control.name)) Anchor(widget, follow);
  }
  // The typed path lies over the drive list; the count under the list, where the list's growth
  // makes room for it (none at the design size, which is laid out as designed).
  const auto make_path = [this](QGroupBox* page, const char* name, DriveList* drive) {
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    field->setGeometry(drive->geometry());
    field->setToolTip(kPathFieldTip);
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

  Anchor(preview_, Follow::kPreview);

  for (const ControlTip& tip : Form1Tips()) {
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
  auto* click = new ShortcutClick(this);
  for (const AltKey& key : Form1AltKeys()) {
    if (key.tab >= 0) continue;
    auto* button = findChild<QPushButton*>(key.name);
    button->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(key.letter)));
    button->installEventFilter(click);
  }
  MarkTabKeys(*TabStrip1_, "TabStrip1");
  TabStrip1_->installEventFilter(new TabKeyFocus(TabStrip1_));
  MarkTabKeys(*TabStrip2_, "TabStrip2");
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
          const QList<uint> typed = key.text().toUcs4();
          if (typed.size() != 1 || !StartsTypedPath(typed.front())) return false;
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
  const Form1Growth growth =
      GrowForm1({design_size_.width(), design_size_.height(), preview_width_}, width(), height(),
                preview_open, count1_->fontMetrics().height() + 4, &picker_extra_);
  preview_extra_ = growth.preview_extra;
  for (const Anchored& a : anchored_) {
    const QRect d = a.design;
    const PixelRect p = GrownPlace({d.x(), d.y(), d.width(), d.height()}, a.follow, growth);
    const QRect r(p.x, p.y, p.width, p.height);
    if (a.follow == Follow::kCount) a.widget->setVisible(growth.counts_shown);
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
  const std::string path =
      ExpandTypedPath(field->text().toStdString(), QDir::homePath().toStdString());
  if (path.empty()) return;
  if (!OpenFolder(path, directories).ok()) {
    field->selectAll();  // the path stays, to be put right
    return;
  }
  field->hide();
  (directories ? Dir1_ : Dir3_)->setFocus();
}

Status Form1::OpenFolder(const std::string& folder, bool directories) {
  const QFileInfo info(QString::fromStdString(folder));
  DirectoryTreeList* tree = directories ? Dir1_ : Dir3_;
  const Status opened = info.exists() && !info.isDir()
                            ? Status::Error(Status::Code::kInvalidName, kNotAFolder)
                            : tree->SetPath(folder);
  if (!opened.ok()) {
    ShowStatus(QString::fromStdString(CannotOpenLine(folder, opened.message())),
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
  std::vector<DroppedEntry> dropped;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo file(url.toLocalFile());
    dropped.push_back({file.absoluteFilePath().toStdString(), file.absolutePath().toStdString(),
                       file.fileName().toStdString(), file.isDir()});
  }
  if (dropped.empty()) return;
  event->acceptProposedAction();
  const DropPlan plan = PlanDrop(dropped, state_.TargetKind);
  if (!OpenFolder(plan.folder, plan.directories).ok() || plan.select.empty()) return;
  // The dropped files of that folder come selected, ready to rename.
  SelectEntries(state_.List2, plan.select);
  list2_model_->Reload();
  // As a click selecting them would.
  if (count2_->isHidden() && state_.List2.SelectedCount() > 0) ShowCount(false);
}

void Form1::RereadFolders() {
  const std::string said = RereadBothPages(
      state_, *batch_, [this](const BatchReport& report) { return RefreshAfterBatch(report); });
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
  SavedWindow saved{size.width(), size.height(), preview_open};
  saved.maximized = isMaximized();
  SaveWindowPlacement(saved, services_.settings);
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
  // Shown maximised; the size above is the one it comes back to.
  if (saved.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

}  // namespace kestro
