// The window's "Undo": its button beside the status line and Ctrl+Z take the last window batch
// back (batch/undo.h). Only the last batch, only while the window is open.
#pragma once

#include <QObject>
#include <functional>

#include "batch/undo.h"

class QPushButton;
class QShortcut;
class QWidget;

namespace kestro {

class UndoControl : public QObject {
 public:
  // Called after an undo with what it did and which page's list it concerns.
  using Undone = std::function<void(const UndoReport& report, bool directories)>;

  // `button` and `window` (for the shortcut) must outlive the control; the button is enabled
  // only while there is something to undo.
  UndoControl(QPushButton& button, QWidget& window, FileSystem& fs, Undone undone);

  // After a window batch: it becomes the one to undo (one that renamed nothing leaves nothing).
  void Remember(const BatchReport& report, bool directories);
  void Undo();
  [[nodiscard]] bool CanUndo() const { return last_.CanUndo(); }

 private:
  QPushButton& button_;
  FileSystem& fs_;
  Undone undone_;
  LastBatch last_;
  bool directories_ = true;
};

}  // namespace kestro
