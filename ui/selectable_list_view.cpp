// SelectableListView.
#include "ui/selectable_list_view.h"

#include <QKeyEvent>

namespace kestro {

SelectableListView::SelectableListView(SelectableListModel& model, QWidget* parent)
    : QListView(parent), model_(model) {
  setModel(&model_);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(this, &QListView::clicked, this,
          [this](const QModelIndex& index) { model_.Toggle(index.row()); });
}

void SelectableListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
      currentIndex().isValid()) {
    model_.Toggle(currentIndex().row());
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

}  // namespace kestro
