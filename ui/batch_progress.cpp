// ProgressWindow, and RunWindowBatch with it.
#include "ui/batch_progress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>
#include <QScreen>
#include <algorithm>
#include <utility>

#include "batch/window_batch.h"
#include "engine/messages.h"

namespace kestro {
namespace {

constexpr qint64 kShowAfterMs = 500;
// Events are let in at most this often, so a fast run spends its time renaming.
constexpr qint64 kPumpEveryMs = 15;

int ClampToInt(std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, 0x7fffffff)); }

// Centres `dialog` over `window`, within the free area of the window's screen. Moved by us, the
// dialog tells the window manager its place; left to Qt, it gives none, and a window manager
// may put it anywhere (it was seen in the screen's corner after the window was maximised).
void PlaceOver(QWidget& dialog, const QWidget& window) {
  dialog.adjustSize();
  QRect place(QPoint(), dialog.size());
  place.moveCenter(window.frameGeometry().center());
  if (const QScreen* screen = window.screen(); screen != nullptr) {
    const QRect free = screen->availableGeometry();
    place.moveLeft(std::max(free.left(), std::min(place.left(), free.right() + 1 - place.width())));
    place.moveTop(std::max(free.top(), std::min(place.top(), free.bottom() + 1 - place.height())));
  }
  dialog.move(place.topLeft());
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget& window, QString label)
    : window_(window), label_(std::move(label)) {
  quiet_.start();
}

ProgressWindow::~ProgressWindow() = default;

bool ProgressWindow::Step(std::size_t done, std::size_t total) {
  if (since_pump_.isValid() && since_pump_.elapsed() < kPumpEveryMs) return true;
  since_pump_.restart();
  // Made and shown by us, not by the dialog's own timer, which would show it over a message box.
  if (dialog_ == nullptr && quiet_.elapsed() >= kShowAfterMs) {
    dialog_ = std::make_unique<QProgressDialog>(&window_);
    dialog_->setObjectName("BatchProgress");
    dialog_->setWindowTitle(QString::fromLatin1(messages::kProgramTitle));
    dialog_->setCancelButtonText(QStringLiteral("Cancel"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
  }
  if (dialog_ != nullptr) {
    dialog_->setRange(0, ClampToInt(total));
    const QLocale locale;
    dialog_->setLabelText(label_.arg(locale.toString(static_cast<qulonglong>(done)),
                                     locale.toString(static_cast<qulonglong>(total))));
    // Placed before setValue, which would show it where Qt puts it.
    if (!dialog_->isVisible() && quiet_.elapsed() >= kShowAfterMs) {
      PlaceOver(*dialog_, *window_.window());
      dialog_->show();
    }
    dialog_->setValue(ClampToInt(done));
  }
  const bool up = dialog_ != nullptr && dialog_->isVisible();
  QCoreApplication::processEvents(up ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  return dialog_ == nullptr || !dialog_->wasCanceled();
}

void ProgressWindow::ShowUncovered(UiHost& ui, const Message& message) {
  if (dialog_ != nullptr) dialog_->hide();
  ui.ShowMessage(message);
  quiet_.restart();
}

BatchReport RunWindowBatch(QWidget& window, WindowState& state, FileSystem& fs, const Clock& clock,
                           UiHost& ui, JournalFolder* journal) {
  ProgressWindow progress(window, QStringLiteral("Renaming: %1 of %2 entries done."));
  MessagesAbove messages(ui, progress);
  return RunWindowBatch(
      state, fs, clock, messages, journal,
      [&progress](std::size_t done, std::size_t total) { return progress.Step(done, total); });
}

}  // namespace kestro
