// The About window (frmAbout): the product name and version, and "OK!". A top-level window of its
// own, so it stays usable while the main window is disabled; it reports when it closes.
#pragma once

#include <QWidget>

namespace kestro {

class FrmAbout : public QWidget {
  Q_OBJECT
 public:
  // Deletes itself when closed.
  FrmAbout();

 signals:
  // Emitted whenever the window closes, by "OK!" or by its close box.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape closes it, as it closes a dialog.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kestro
