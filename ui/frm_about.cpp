// FrmAbout.
#include "ui/frm_about.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "ui/accessibility.h"
#include "ui/twips.h"

namespace kestro {

FrmAbout::FrmAbout() : QWidget(nullptr) {
  setObjectName("frmAbout");
  SetAccessibleRole(*this, QAccessible::Dialog);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("About Kestrovane");
  const Twips twips = Twips::ForWidget(this);
  setFixedSize(twips.Px(3744), twips.Px(3780));

  auto* label = new QLabel("Kestrovane 1.0", this);
  label->setObjectName("Label3");
  QFont font = label->font();
  font.setPointSizeF(13.8);
  label->setFont(font);
  label->setGeometry(twips.Rect(108, 36, 3216, 480));

  auto* ok = new QPushButton("OK!", this);
  ok->setObjectName("Command1");
  ok->setAutoDefault(true);
  ok->setGeometry(twips.Rect(2340, 3060, 1380, 684));
  // Command1_Click: the main window is enabled again by Closed, which every close emits.
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &QWidget::close);
  ok->setFocus();
}

void FrmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FrmAbout::closeEvent(QCloseEvent* event) {
  emit Closed();
  event->accept();
}

}  // namespace kestro
