// The view of a multi-selection list (List1, List2): a click on an entry, or Space on the current
// one, toggles that entry alone. Rows are of one height, so a list of 100,000 lays out at once.
#pragma once

#include <QListView>

#include "ui/selectable_list_model.h"

namespace kestro {

class SelectableListView : public QListView {
  Q_OBJECT
 public:
  SelectableListView(SelectableListModel& model, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  SelectableListModel& model_;
};

}  // namespace kestro
