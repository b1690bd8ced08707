// UndoControl.
#include "ui/undo_control.h"

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>
#include <utility>

#include "batch/undo_text.h"
#include "ui/batch_progress.h"
#include "ui/message_box.h"

namespace kestro {

UndoControl::UndoControl(QPushButton& button, QWidget& window, FileSystem& fs,
                         JournalFolder* journal, FolderShown folder_shown, Undone undone)
    : QObject(&window),
      button_(button),
      window_(window),
      fs_(fs),
      journal_(journal),
      folder_shown_(std::move(folder_shown)),
      undone_(std::move(undone)) {
  connect(&button_, &QPushButton::clicked, this, [this] { Undo(); });
  // A text field with the focus keeps Ctrl+Z for its own text.
  auto* shortcut = new QShortcut(QKeySequence::Undo, &window);
  shortcut->setObjectName("UndoShortcut");
  connect(shortcut, &QShortcut::activated, this, [this] { Undo(); });
  Refresh();
}

void UndoControl::Refresh() {
  Journal newest;
  newest_.reset();
  if (journal_ != nullptr && NewestToUndo(fs_, *journal_, &newest).ok()) newest_ = newest;
  button_.setEnabled(newest_.has_value());
  button_.setToolTip(QString::fromStdString(UndoToolTip(this->newest(), " (Alt+U)")));
}

void UndoControl::MadeHere(const std::string& path) {
  if (!path.empty()) made_here_.push_back(path);
}

void UndoControl::Undo() {
  // The batch named now, not the one named when the window last looked: another program may
  // have made one since.
  Refresh();
  if (!newest_) return;
  const Journal newest = *newest_;
  if (UndoAsksFirst(newest, made_here_, folder_shown_()) &&
      !AskMessageBox(&window_, UndoQuestion(newest))) {
    return;
  }
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
