// SelectableListView.
#include "ui/selectable_list_view.h"

#include <QAccessible>
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
  connect(&model_, &QAbstractItemModel::modelReset, this, [this] { clicks_.Forget(); });
  connect(&model_, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& first, const QModelIndex& last) {
            SayChecked(first.row(), last.row());
          });
}

void SelectableListView::SayChecked(int first, int last) {
  // Each entry's change is sent when the user ticks a few; Select All over a long list would
  // flood the bus, and the count under the list says what it did.
  constexpr int kMostSaid = 64;
  if (!QAccessible::isActive() || last - first >= kMostSaid) return;
  QAccessible::State checked;
  checked.checked = true;
  for (int row = first; row <= last; ++row) {
    QAccessibleStateChangeEvent event(this, checked);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
  }
}

void SelectableListView::mousePressEvent(QMouseEvent* event) {
  press_modifiers_ = event->modifiers();
  QListView::mousePressEvent(event);
}

void SelectableListView::Clicked(int row) {
  if (row < 0) return;
  const ListClicks::Range range = clicks_.Click(static_cast<std::size_t>(row), model_.selected(row),
                                                press_modifiers_.testFlag(Qt::ShiftModifier));
  model_.SelectRange(static_cast<int>(range.first), static_cast<int>(range.last), range.on);
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
