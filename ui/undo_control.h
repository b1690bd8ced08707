// The window's "Undo": its button beside the status line and Ctrl+Z take back the newest batch of
// the journal not yet taken back (batch/undo.h), whether the window or the command line made it,
// also one made before the window was opened.
#pragma once

#include <QObject>
#include <functional>

#include "batch/journal.h"
#include "batch/undo.h"

class QPushButton;
class QWidget;

namespace kestro {

class UndoControl : public QObject {
 public:
  // Called after an undo with what it did, and whether the journal could note it.
  using Undone = std::function<void(const UndoReport& report, const Status& noted)>;

  // `button` and `window` (for the shortcut) must outlive the control; the button is enabled
  // only while there is a batch to take back. Without a journal there is none. A long undo shows
  // its progress over `window`, with Cancel.
  UndoControl(QPushButton& button, QWidget& window, FileSystem& fs, JournalFolder* journal,
              Undone undone);

  // Looks again for a batch to take back (after a batch, say).
  void Refresh();
  void Undo();
  [[nodiscard]] bool CanUndo() const;

 private:
  QPushButton& button_;
  QWidget& window_;
  FileSystem& fs_;
  JournalFolder* journal_;
  Undone undone_;
};

}  // namespace kestro
