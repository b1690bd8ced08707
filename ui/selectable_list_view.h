// The view of a multi-selection list (List1, List2): a click on an entry, or Space on the current
// one, toggles that entry alone; Shift+click gives every entry from the last one clicked to this
// one the state the click gives this one; Ctrl+A selects them all. Rows are of one height, so a
// list of 100,000 lays out at once.
#pragma once

#include <QListView>

#include "batch/list_selection.h"
#include "ui/selectable_list_model.h"

namespace kestro {

class SelectableListView : public QListView {
  Q_OBJECT
 public:
  SelectableListView(SelectableListModel& model, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Clicked(int row);
  // Tells assistive technology that the entries from `first` to `last` were ticked or unticked.
  void SayChecked(int first, int last);

  SelectableListModel& model_;
  Qt::KeyboardModifiers press_modifiers_;
  ListClicks clicks_;  // a refilled list forgets the entry last clicked
};

}  // namespace kestro
