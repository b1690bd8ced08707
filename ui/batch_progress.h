// Progress of a long run in the window ("Rename!", Undo): a dialog with entries done of total and
// a Cancel button, shown once the run has gone on for about half a second with no message box up.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstddef>
#include <memory>
#include <string>

#include "batch/journal.h"
#include "batch/messages_above.h"
#include "batch/outcome.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"

class QProgressDialog;
class QWidget;

namespace kestro {

class ProgressWindow : public ProgressView {
 public:
  // `label` holds %1 (entries done) and %2 (of how many), e.g. "Renaming: %1 of %2 entries done."
  ProgressWindow(QWidget& window, QString label);
  ~ProgressWindow() override;
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // Called before each entry; false once Cancel has been clicked. Until the dialog is up, the
  // window's own input waits, so nothing starts a second run; once it is up, the modal dialog
  // alone takes input.
  bool Step(std::size_t done, std::size_t total);
  // Shows `message` in a box that nothing covers: the dialog goes away meanwhile and comes back
  // only after the run has gone on for its delay again.
  void ShowUncovered(UiHost& ui, const Message& message) override;

 private:
  QWidget& window_;
  QString label_;
  std::unique_ptr<QProgressDialog> dialog_;
  QElapsedTimer quiet_;  // since the run began or the last message box closed
  QElapsedTimer since_pump_;
};

// The window batch of batch/window_batch.h with a ProgressWindow over `window`: its Cancel
// cancels the batch, and the batch's messages show above it.
BatchReport RunWindowBatch(QWidget& window, WindowState& state, FileSystem& fs, const Clock& clock,
                           UiHost& ui, JournalFolder* journal);

}  // namespace kestro
