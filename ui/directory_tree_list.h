// The directory tree list of a picker page (Dir1, Dir3): the chain of folders down to the open
// folder, indented, then the open folder's sub-directories. A click chooses an entry without
// opening it; a double-click or Enter opens it, so its sub-directories are shown.
#pragma once

#include <QListView>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kestro {

class DirectoryTreeModel;

class DirectoryTreeList : public QListView {
  Q_OBJECT
 public:
  // `fs` must outlive the list.
  DirectoryTreeList(FileSystem& fs, QWidget* parent);
  ~DirectoryTreeList() override;

  // Opens `folder`: its chain and its sub-directories are listed and it becomes the selected
  // entry. A folder that cannot be made absolute or read leaves the list as it was.
  Status SetPath(const std::string& folder);
  // Lists the open folder again (after its sub-directories were renamed).
  Status Refresh();
  [[nodiscard]] const std::string& path() const { return path_; }
  // The row of the open folder: the rows above it are the chain down to it, the rows below it
  // its sub-directories. -1 before the first SetPath.
  [[nodiscard]] int open_row() const { return open_row_; }
  // The full path of the selected entry; the open folder when none is selected.
  [[nodiscard]] std::string SelectedFolder() const;
  // Selects the entry of `row` as a click does, and reports the click.
  void ClickRow(int row);
  // Opens the entry of `row` as a double-click does.
  void OpenRow(int row);

 signals:
  // An entry was chosen by a click or by moving the selection with the keyboard.
  void Clicked();
  // The open folder changed (SetPath, a double-click, Enter).
  void PathChanged();
  // A folder could not be opened; the list was left as it was.
  void Failed(const QString& reason);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // QListView tells assistive technology that the new current entry has the focus, even when
  // the list has not: a refill after a batch made a screen reader say a folder's name while the
  // focus stayed on "Rename!". Only a list that has the focus says so. Both events name the
  // entry of the tree assistive technology knows, not a row of a flat list.
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  FileSystem& fs_;
  DirectoryTreeModel* model_;
  std::string path_;
  int open_row_ = -1;
};

}  // namespace kestro
