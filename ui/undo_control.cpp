// UndoControl.
#include "ui/undo_control.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>
#include <utility>

namespace kestro {

UndoControl::UndoControl(QPushButton& button, QWidget& window, FileSystem& fs,
                         JournalFolder* journal, Undone undone)
    : QObject(&window), button_(button), fs_(fs), journal_(journal), undone_(std::move(undone)) {
  button_.setToolTip(QStringLiteral("Give the entries of the last batch their old names back"));
  connect(&button_, &QPushButton::clicked, this, [this] { Undo(); });
  // A text field with the focus keeps Ctrl+Z for its own text.
  auto* shortcut = new QShortcut(QKeySequence::Undo, &window);
  shortcut->setObjectName("UndoShortcut");
  connect(shortcut, &QShortcut::activated, this, [this] { Undo(); });
  Refresh();
}

bool UndoControl::CanUndo() const {
  Journal newest;
  return journal_ != nullptr && journal_->Newest(&newest).ok();
}

void UndoControl::Refresh() { button_.setEnabled(CanUndo()); }

void UndoControl::Undo() {
  Journal newest;
  if (journal_ == nullptr || !journal_->Newest(&newest).ok()) return;
  const UndoReport report = UndoJournal(fs_, newest);
  journal_->MarkUndone(newest);
  Refresh();
  undone_(report);
}

}  // namespace kestro
