// DirectoryTreeList and its model.
#include "ui/directory_tree_list.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <utility>

#include "batch/folder_steps.h"
#include "platform/listing.h"
#include "ui/directory_tree_accessible.h"

namespace kestro {

namespace {
constexpr int kDepthRole = Qt::UserRole + 1;
}  // namespace

class DirectoryTreeModel : public QAbstractListModel {
 public:
  struct Row {
    std::string path;
    QString name;
    int depth = 0;
    bool open = false;  // on the chain down to the open folder (the open folder included)
  };

  explicit DirectoryTreeModel(QObject* parent) : QAbstractListModel(parent) {
    const QStyle* style = QApplication::style();
    open_icon_ = style->standardIcon(QStyle::SP_DirOpenIcon);
    closed_icon_ = style->standardIcon(QStyle::SP_DirClosedIcon);
  }

  void Assign(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  [[nodiscard]] const Row& at(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = at(index.row());
    switch (role) {
      case Qt::DisplayRole:
        return row.name;
      case Qt::ToolTipRole:
        return QString::fromStdString(row.path);
      case Qt::DecorationRole:
        return row.open ? open_icon_ : closed_icon_;
      case kDepthRole:
        return row.depth;
      default:
        return {};
    }
  }

 private:
  std::vector<Row> rows_;
  QIcon open_icon_;
  QIcon closed_icon_;
};

namespace {

// Indents each entry by its depth below the root.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.setLeft(option.rect.left() + Indent(option, index));
    QStyledItemDelegate::paint(painter, indented, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += Indent(option, index);
    return size;
  }

 private:
  static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
    return index.data(kDepthRole).toInt() * option.fontMetrics.averageCharWidth() * 2;
  }
};

}  // namespace

DirectoryTreeList::DirectoryTreeList(FileSystem& fs, QWidget* parent)
    : QListView(parent), fs_(fs), model_(new DirectoryTreeModel(this)) {
  InstallDirectoryTreeAccessible();
  setModel(model_);
  setItemDelegate(new IndentDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) ClickRow(index.row());
  });
  connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) OpenRow(index.row());
  });
}

DirectoryTreeList::~DirectoryTreeList() = default;

namespace {
void Announce(DirectoryTreeList& list, const QModelIndex& index, QAccessible::Event type) {
  if (!QAccessible::isActive() || !index.isValid()) return;
  if (QAccessibleInterface* entry = DirectoryTreeEntry(list, index.row())) {
    QAccessibleEvent event(entry, type);
    QAccessible::updateAccessibility(&event);
  }
}
}  // namespace

void DirectoryTreeList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QAbstractItemView::currentChanged(current, previous);
  if (hasFocus()) Announce(*this, current, QAccessible::Focus);
}

void DirectoryTreeList::selectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
  QAbstractItemView::selectionChanged(selected, deselected);
  Announce(*this, selected.indexes().value(0), QAccessible::SelectionAdd);
  Announce(*this, deselected.indexes().value(0), QAccessible::SelectionRemove);
}

Status DirectoryTreeList::SetPath(const std::string& folder) {
  std::string absolute;
  Status status = fs_.AbsoluteFolder(folder, &absolute);
  if (!status.ok()) return status;
  std::vector<std::string> subdirectories;
  status = ListEntries(fs_, absolute, EntryKind::kDirectory, "", &subdirectories);
  if (!status.ok()) return status;

  std::vector<DirectoryTreeModel::Row> rows;
  const std::vector<FolderStep> chain = FolderSteps(fs_, absolute);
  rows.reserve(chain.size() + subdirectories.size());
  int depth = 0;
  for (const FolderStep& step : chain) {
    rows.push_back({step.path, QString::fromStdString(step.name), depth++, true});
  }
  if (chain.empty()) rows.push_back({absolute, QString::fromStdString(absolute), depth++, true});
  const int open_row = static_cast<int>(rows.size()) - 1;
  for (std::string& name : subdirectories) {
    QString shown = QString::fromStdString(name);
    rows.push_back({fs_.JoinPath(absolute, name), std::move(shown), depth, false});
  }
  path_ = std::move(absolute);
  open_row_ = open_row;
  model_->Assign(std::move(rows));
  setCurrentIndex(model_->index(open_row));
  scrollTo(currentIndex());
  emit PathChanged();
  return Status::Ok();
}

Status DirectoryTreeList::Refresh() {
  const std::string selected = SelectedFolder();
  Status status = SetPath(path_);
  if (!status.ok()) return status;
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (model_->at(row).path == selected) {
      setCurrentIndex(model_->index(row));
      break;
    }
  }
  return status;
}

std::string DirectoryTreeList::SelectedFolder() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? model_->at(index.row()).path : path_;
}

void DirectoryTreeList::ClickRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  setCurrentIndex(model_->index(row));
  emit Clicked();
}

void DirectoryTreeList::OpenRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  const std::string folder = model_->at(row).path;
  Status status = SetPath(folder);
  if (!status.ok()) emit Failed(QString::fromStdString(status.message()));
}

void DirectoryTreeList::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      currentIndex().isValid()) {
    OpenRow(currentIndex().row());
    event->accept();
    return;
  }
  const QModelIndex before = currentIndex();
  QListView::keyPressEvent(event);
  if (currentIndex().isValid() && currentIndex() != before) emit Clicked();
}

}  // namespace kestro
