// The window's "Undo": its button beside the status line and Ctrl+Z take back the newest batch of
// the journal not yet taken back (batch/undo.h), whether the window or the command line made it,
// also one made before the window was opened. Its tooltip names that batch; a batch not made in
// this window on the folder it shows is taken back only once the user says OK to it.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/journal.h"
#include "batch/undo.h"

class QPushButton;
class QWidget;

namespace kestro {

class UndoControl : public QObject {
 public:
  // Called after an undo with what it did, and whether the journal could note it.
  using Undone = std::function<void(const UndoReport& report, const Status& noted)>;
  // The folder the window shows now.
  using FolderShown = std::function<std::string()>;

  // `button` and `window` (for the shortcut and the question) must outlive the control; the
  // button is enabled only while there is a batch to take back. Without a journal there is none.
  // A long undo shows its progress over `window`, with Cancel.
  UndoControl(QPushButton& button, QWidget& window, FileSystem& fs, JournalFolder* journal,
              FolderShown folder_shown, Undone undone);

  // Looks again for a batch to take back (after a batch, say).
  void Refresh();
  // The batch of the journal `path` was made in this window.
  void MadeHere(const std::string& path);
  void Undo();
  [[nodiscard]] bool CanUndo() const { return newest_.has_value(); }
  // The batch Undo takes back; null when there is none.
  [[nodiscard]] const Journal* newest() const { return newest_ ? &*newest_ : nullptr; }

 private:
  QPushButton& button_;
  QWidget& window_;
  FileSystem& fs_;
  JournalFolder* journal_;
  FolderShown folder_shown_;
  Undone undone_;
  std::optional<Journal> newest_;
  std::vector<std::string> made_here_;
};

}  // namespace kestro
