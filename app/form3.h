// Form3, the help window of the command line: the syntax, the targets and the mode switches with
// their explanations, "OK" (Command1) and "Userguide" (Command2).
#pragma once

#include <QDialog>

#include "batch/ui_host.h"
#include "platform/document_opener.h"

class QPushButton;

namespace kestro {

// Closing the window in any way (OK, Enter, Escape, the close box) emits QDialog::finished; the
// command-line mode ends the program on it. Shown not modal.
class Form3 : public QDialog {
  Q_OBJECT
 public:
  // `opener` starts the guide's viewer; `messages` reports a guide that cannot be opened. Both
  // must outlive the window.
  Form3(DocumentOpener& opener, UiHost& messages, QWidget* parent = nullptr);

  void Command1_Click();  // "OK"
  void Command2_Click();  // "Userguide": opens the guide; the window stays open

 private:
  // The largest font, up to 8 points, in which every text fits its place; a one-line text may
  // take the free room to its right.
  void FitFont();

  DocumentOpener& opener_;
  UiHost& messages_;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace kestro
