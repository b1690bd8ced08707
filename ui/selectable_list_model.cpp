// SelectableListModel.
#include "ui/selectable_list_model.h"

#include <QString>
#include <algorithm>
#include <limits>
#include <utility>

namespace kestro {

SelectableListModel::SelectableListModel(SelectableList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

void SelectableListModel::Reload() {
  beginResetModel();
  endResetModel();
}

void SelectableListModel::Toggle(int row) {
  if (row < 0 || row >= rowCount()) return;
  list_.Toggle(static_cast<std::size_t>(row));
  const QModelIndex at = index(row);
  emit dataChanged(at, at, {Qt::CheckStateRole});
}

void SelectableListModel::SelectAll(bool on) {
  list_.SelectAll(on);
  if (rowCount() == 0) return;
  emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

void SelectableListModel::SelectRange(int first, int last, bool on) {
  if (first > last) std::swap(first, last);
  first = std::max(first, 0);
  last = std::min(last, rowCount() - 1);
  if (first > last) return;
  for (int row = first; row <= last; ++row) list_.SetSelected(static_cast<std::size_t>(row), on);
  emit dataChanged(index(first), index(last), {Qt::CheckStateRole});
}

bool SelectableListModel::selected(int row) const {
  return row >= 0 && row < rowCount() && list_.selected(static_cast<std::size_t>(row));
}

int SelectableListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  // A view counts rows in int; a list longer than that shows its first INT_MAX entries.
  constexpr std::size_t kMaxRows = static_cast<std::size_t>(std::numeric_limits<int>::max());
  return static_cast<int>(std::min(list_.size(), kMaxRows));
}

QVariant SelectableListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return QString::fromStdString(list_.at(row));
    case Qt::CheckStateRole:
      return list_.selected(row) ? Qt::Checked : Qt::Unchecked;
    default:
      return {};
  }
}

Qt::ItemFlags SelectableListModel::flags(const QModelIndex& index) const {
  // User-checkable, so assistive technology reports the box; setData refuses the check state,
  // so the delegate's own toggle on a click on the box does nothing and the view toggles once.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren
                         : Qt::NoItemFlags;
}

}  // namespace kestro
