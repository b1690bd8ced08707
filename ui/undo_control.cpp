// UndoControl.
#include "ui/undo_control.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>
#include <utility>

namespace kestro {

UndoControl::UndoControl(QPushButton& button, QWidget& window, FileSystem& fs, Undone undone)
    : QObject(&window), button_(button), fs_(fs), undone_(std::move(undone)) {
  button_.setEnabled(false);
  button_.setToolTip(QStringLiteral("Give the entries of the last batch their old names back"));
  connect(&button_, &QPushButton::clicked, this, [this] { Undo(); });
  // A text field with the focus keeps Ctrl+Z for its own text.
  auto* shortcut = new QShortcut(QKeySequence::Undo, &window);
  shortcut->setObjectName("UndoShortcut");
  connect(shortcut, &QShortcut::activated, this, [this] { Undo(); });
}

void UndoControl::Remember(const BatchReport& report, bool directories) {
  last_.Remember(report);
  directories_ = directories;
  button_.setEnabled(last_.CanUndo());
}

void UndoControl::Undo() {
  if (!last_.CanUndo()) return;
  const UndoReport report = last_.Undo(fs_);
  button_.setEnabled(false);
  undone_(report, directories_);
}

}  // namespace kestro
