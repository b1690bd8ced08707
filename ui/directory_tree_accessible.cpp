// InstallDirectoryTreeAccessible, DirectoryTreeEntry.
#include "ui/directory_tree_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <unordered_map>

#include "ui/directory_tree_list.h"

namespace kestro {
namespace {

// Rows of a list: the chain down to the open folder (rows 0 to open_row, each the parent of the
// next), then the open folder's sub-directories (children of open_row).
class TreeAccessible : public QAccessibleWidget {
 public:
  explicit TreeAccessible(DirectoryTreeList* list) : QAccessibleWidget(list, QAccessible::Tree) {
    // A refill makes other entries: the old ones are gone for assistive technology too.
    reset_ = QObject::connect(list->model(), &QAbstractItemModel::modelReset, list,
                              [this] { Forget(); });
  }
  ~TreeAccessible() override {
    QObject::disconnect(reset_);
    Forget();
  }
  TreeAccessible(const TreeAccessible&) = delete;
  TreeAccessible& operator=(const TreeAccessible&) = delete;

  [[nodiscard]] DirectoryTreeList* list() const {
    return static_cast<DirectoryTreeList*>(object());
  }
  [[nodiscard]] int rows() const { return list()->model()->rowCount(); }

  QAccessibleInterface* Entry(int row) const;

  [[nodiscard]] int childCount() const override { return rows() > 0 ? 1 : 0; }
  [[nodiscard]] QAccessibleInterface* child(int index) const override {
    return index == 0 ? Entry(0) : nullptr;
  }
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child == Entry(0) ? 0 : -1;
  }
  [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
    const QModelIndex index = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? Entry(index.row()) : nullptr;
  }
  [[nodiscard]] QAccessibleInterface* focusChild() const override {
    const QModelIndex current = list()->currentIndex();
    return list()->hasFocus() && current.isValid() ? Entry(current.row()) : nullptr;
  }

 private:
  void Forget() {
    for (const auto& [row, id] : entries_) QAccessible::deleteAccessibleInterface(id);
    entries_.clear();
  }

  mutable std::unordered_map<int, QAccessible::Id> entries_;
  QMetaObject::Connection reset_;
};

class EntryAccessible : public QAccessibleInterface {
 public:
  EntryAccessible(const TreeAccessible& tree, int row)
      : tree_(tree), list_(tree.list()), row_(row) {}

  [[nodiscard]] int row() const { return row_; }

  [[nodiscard]] bool isValid() const override { return !list_.isNull() && row_ < tree_.rows(); }
  [[nodiscard]] QObject* object() const override { return nullptr; }
  [[nodiscard]] QWindow* window() const override { return tree_.window(); }

  [[nodiscard]] QAccessibleInterface* parent() const override {
    const int open = list_->open_row();
    if (row_ > open) return tree_.Entry(open);
    return row_ == 0 ? const_cast<TreeAccessible*>(&tree_) : tree_.Entry(row_ - 1);
  }
  [[nodiscard]] int childCount() const override {
    const int open = list_->open_row();
    if (row_ < open) return 1;
    return row_ == open ? tree_.rows() - open - 1 : 0;
  }
  [[nodiscard]] QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    return tree_.Entry(row_ + 1 + index);
  }
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* entry = dynamic_cast<const EntryAccessible*>(child);
    if (entry == nullptr) return -1;
    const int index = entry->row_ - row_ - 1;
    return index >= 0 && index < childCount() ? index : -1;
  }
  [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
    return nullptr;
  }

  [[nodiscard]] QString text(QAccessible::Text t) const override {
    const QModelIndex index = list_->model()->index(row_, 0);
    if (t == QAccessible::Name) return index.data(Qt::DisplayRole).toString();
    if (t == QAccessible::Description) return index.data(Qt::ToolTipRole).toString();
    return {};
  }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  [[nodiscard]] QRect rect() const override {
    const QRect shown = list_->visualRect(list_->model()->index(row_, 0));
    return QRect(list_->viewport()->mapToGlobal(shown.topLeft()), shown.size());
  }
  [[nodiscard]] QAccessible::Role role() const override { return QAccessible::TreeItem; }
  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state;
    const QModelIndex index = list_->model()->index(row_, 0);
    state.selectable = state.focusable = true;
    state.selected = list_->selectionModel()->isSelected(index);
    state.focused = list_->hasFocus() && list_->currentIndex() == index;
    // A sub-directory opens by a double-click or Enter; the chain is open down to its end.
    state.expandable = true;
    state.expanded = row_ <= list_->open_row();
    state.collapsed = !state.expanded;
    const QRect shown = list_->visualRect(index);
    state.offscreen = !list_->viewport()->rect().intersects(shown);
    return state;
  }

 private:
  const TreeAccessible& tree_;
  QPointer<DirectoryTreeList> list_;
  int row_;
};

QAccessibleInterface* TreeAccessible::Entry(int row) const {
  if (row < 0 || row >= rows()) return nullptr;
  if (const auto it = entries_.find(row); it != entries_.end())
    return QAccessible::accessibleInterface(it->second);
  auto* entry = new EntryAccessible(*this, row);
  entries_.emplace(row, QAccessible::registerAccessibleInterface(entry));
  return entry;
}

QAccessibleInterface* TreeFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(DirectoryTreeList::staticMetaObject.className())) return nullptr;
  return new TreeAccessible(static_cast<DirectoryTreeList*>(object));
}

}  // namespace

void InstallDirectoryTreeAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(TreeFactory);
    return true;
  }();
  (void)installed;
}

QAccessibleInterface* DirectoryTreeEntry(DirectoryTreeList& list, int row) {
  auto* tree = dynamic_cast<TreeAccessible*>(QAccessible::queryAccessibleInterface(&list));
  return tree == nullptr ? nullptr : tree->Entry(row);
}

}  // namespace kestro
