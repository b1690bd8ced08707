// Form3, the help window of the command line: the syntax, the targets and the mode switches with
// their explanations, "OK" (Command1) and "Userguide" (Command2).
#pragma once

#include <QDialog>
#include <QPointer>
#include <string>

#include "batch/ui_host.h"
#include "platform/document_opener.h"

class QPushButton;

namespace kestro {

// Closing the window in any way (OK, Enter, Escape, the close box) emits QDialog::finished; the
// command-line mode ends the program on it. Shown not modal.
class Form3 : public QDialog {
  Q_OBJECT
 public:
  // `opener` starts the guide's viewer from the guide's window; `messages` reports a guide that
  // cannot be read. Both must outlive the window. `guide`: the guide's file (empty: the one
  // beside the program or installed).
  Form3(DocumentOpener& opener, UiHost& messages, QWidget* parent = nullptr,
        std::string guide = {});

  void Command1_Click();  // "OK"
  void Command2_Click();  // "Userguide": shows the guide in its own window; this one stays open

 private:
  // The largest font, up to 8 points, in which every text fits its place; a one-line text may
  // take the free room to its right.
  void FitFont();

  DocumentOpener& opener_;
  UiHost& messages_;
  std::string guide_path_;
  QPointer<QWidget> guide_;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace kestro
