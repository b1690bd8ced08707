// A list model over a SelectableList (List1, List2): one row per entry, in the list's own order,
// each shown with a ticked or empty box. The model reads the list; nothing is copied per entry.
#pragma once

#include <QAbstractListModel>

#include "batch/selectable_list.h"

namespace kestro {

class SelectableListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  // `list` must outlive the model.
  explicit SelectableListModel(SelectableList& list, QObject* parent = nullptr);

  // Call after the list was refilled or changed behind the model's back.
  void Reload();
  // Toggles the entry of `row`, leaving every other entry as it is.
  void Toggle(int row);
  // Select All / Select None: one pass over the list and one change notice for all rows.
  void SelectAll(bool on);
  // Gives the entries from `first` to `last` (either order) the state `on`, with one notice.
  void SelectRange(int first, int last, bool on);
  [[nodiscard]] bool selected(int row) const;

  [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  SelectableList& list_;
};

}  // namespace kestro
