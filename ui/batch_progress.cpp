// RunWindowBatch: the batch's progress hook drives the dialog and lets the window system in.
#include "ui/batch_progress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <algorithm>
#include <memory>
#include <utility>

#include "batch/batch_renamer.h"
#include "engine/messages.h"

namespace kestro {
namespace {

constexpr int kShowAfterMs = 500;
// Events are let in at most this often, so a fast batch spends its time renaming.
constexpr qint64 kPumpEveryMs = 15;

int ClampToInt(std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, 0x7fffffff)); }

}  // namespace

BatchReport RunWindowBatch(QWidget& window, WindowState& state, FileSystem& fs, const Clock& clock,
                           UiHost& ui, JournalFolder* journal) {
  WindowState snapshot = state;
  BatchRenamer batch(snapshot, fs, clock, ui);
  batch.SetJournal(journal);
  // Made when the first entry is due, so the input checks' messages come without it.
  std::unique_ptr<QProgressDialog> dialog;
  QElapsedTimer since_pump;
  batch.SetProgressHook([&](std::size_t done, std::size_t total) {
    if (dialog == nullptr) {
      dialog = std::make_unique<QProgressDialog>(&window);
      dialog->setObjectName("BatchProgress");
      dialog->setWindowTitle(QString::fromLatin1(messages::kProgramTitle));
      dialog->setCancelButtonText(QStringLiteral("Cancel"));
      dialog->setWindowModality(Qt::ApplicationModal);
      dialog->setAutoClose(false);
      dialog->setAutoReset(false);
      dialog->setRange(0, ClampToInt(total));
      dialog->setMinimumDuration(kShowAfterMs);
    } else if (since_pump.isValid() && since_pump.elapsed() < kPumpEveryMs) {
      return true;
    }
    since_pump.restart();
    dialog->setLabelText(QStringLiteral("Renaming: %1 of %2 entries done.").arg(done).arg(total));
    dialog->setValue(ClampToInt(done));
    // Until the dialog is up, the window's own input waits, so nothing starts a second batch;
    // once it is up, the modal dialog alone takes input.
    QCoreApplication::processEvents(dialog->isVisible() ? QEventLoop::AllEvents
                                                        : QEventLoop::ExcludeUserInputEvents);
    return !dialog->wasCanceled();
  });
  BatchReport report = batch.Command10_Click();
  SelectableList& refilled = snapshot.TargetKind ? snapshot.List1 : snapshot.List2;
  (state.TargetKind ? state.List1 : state.List2) = std::move(refilled);
  return report;
}

}  // namespace kestro
