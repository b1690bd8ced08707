// SelectableListView.
#include "ui/selectable_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kestro {

SelectableListView::SelectableListView(SelectableListModel& model, QWidget* parent)
    : QListView(parent), model_(model) {
  setModel(&model_);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(this, &QListView::clicked, this,
          [this](const QModelIndex& index) { Clicked(index.row()); });
  connect(&model_, &QAbstractItemModel::modelReset, this, [this] { anchor_ = -1; });
}

void SelectableListView::mousePressEvent(QMouseEvent* event) {
  press_modifiers_ = event->modifiers();
  QListView::mousePressEvent(event);
}

void SelectableListView::Clicked(int row) {
  if (press_modifiers_.testFlag(Qt::ShiftModifier) && anchor_ >= 0) {
    model_.SelectRange(anchor_, row, !model_.selected(row));
  } else {
    model_.Toggle(row);
  }
  anchor_ = row;
}

void SelectableListView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    model_.SelectAll(true);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
      currentIndex().isValid()) {
    model_.Toggle(currentIndex().row());
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

}  // namespace kestro
