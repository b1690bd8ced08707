// UndoControl.
#include "ui/undo_control.h"

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>
#include <utility>

#include "ui/batch_progress.h"

namespace kestro {

UndoControl::UndoControl(QPushButton& button, QWidget& window, FileSystem& fs,
                         JournalFolder* journal, Undone undone)
    : QObject(&window),
      button_(button),
      window_(window),
      fs_(fs),
      journal_(journal),
      undone_(std::move(undone)) {
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
  UndoReport report;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressWindow progress(window_, QStringLiteral("Undoing: %1 of %2 entries done."));
    report = UndoJournal(fs_, newest, [&progress](std::size_t done, std::size_t total) {
      return progress.Step(done, total);
    });
    QApplication::restoreOverrideCursor();
  }
  const Status noted = NoteUndo(*journal_, newest, report);
  Refresh();
  undone_(report, noted);
}

}  // namespace kestro
