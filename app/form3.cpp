#include "app/form3.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <string>

#include "app/help_texts.h"
#include "app/twip_scale.h"
#include "app/user_guide.h"
#include "engine/messages.h"

namespace kestro {
namespace {

// The design's font is about 8 points; below 6 the texts stop being readable, so they are clipped.
constexpr double kLargestPoints = 8.0;
constexpr double kSmallestPoints = 6.0;

QFrame* MakeRule(QWidget* parent, const char* name, const QRect& place) {
  auto* rule = new QFrame(parent);
  rule->setObjectName(QString::fromLatin1(name));
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(place);
  return rule;
}

bool Fits(const QLabel& label, const QFont& font) {
  QFont own = font;
  own.setBold(label.font().bold());
  const QFontMetrics metrics(own);
  const QRect box = label.geometry();
  if (label.wordWrap()) {
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, box.width(), 100000), Qt::TextWordWrap, label.text());
    return needed.height() <= box.height() + 1;
  }
  return metrics.horizontalAdvance(label.text()) <= box.width() &&
         metrics.height() <= box.height() + 3;
}

}  // namespace

Form3::Form3(DocumentOpener& opener, UiHost& messages, QWidget* parent)
    : QDialog(parent), opener_(opener), messages_(messages) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QString());
  setSizeGripEnabled(false);
  const TwipScale twips = TwipScale::OfPrimaryScreen();
  setFixedSize(twips.Rect(kForm3Client).size());

  // The buttons come first, so "OK" leads the tab order and has the focus when the window opens.
  command1_ = new QPushButton(QString::fromLatin1(kHelpOkCaption), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(twips.Rect(kCommand1Place));
  command1_->setDefault(true);
  command2_ = new QPushButton(QString::fromLatin1(kHelpUserguideCaption), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(twips.Rect(kCommand2Place));
  command2_->setAutoDefault(false);
  setTabOrder(command1_, command2_);

  auto* frame2 = new QGroupBox(QString::fromLatin1(kHelpFrameCaption), this);
  frame2->setObjectName(QStringLiteral("Frame2"));
  frame2->setGeometry(twips.Rect(kFrame2Place));
  frame2->lower();
  MakeRule(frame2, "Frame6", twips.Rect(kFrame6Place));
  MakeRule(frame2, "Frame4", twips.Rect(kFrame4Place));
  for (const HelpLabel& text : HelpLabels()) {
    auto* label = new QLabel(frame2);
    label->setObjectName(QString::fromLatin1(text.name));
    // The texts hold "<path>" and the like: never read them as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromUtf8(text.text));
    label->setWordWrap(text.wraps);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font = label->font();
    font.setBold(text.bold);
    label->setFont(font);
    label->setGeometry(twips.Rect(text.place));
  }
  FitFont();

  connect(command1_, &QPushButton::clicked, this, &Form3::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &Form3::Command2_Click);
  command1_->setFocus(Qt::OtherFocusReason);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = rect();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void Form3::FitFont() {
  const QList<QLabel*> labels = findChildren<QLabel*>();
  QFont font = this->font();
  double points =
      std::min(font.pointSizeF() > 0 ? font.pointSizeF() : kLargestPoints, kLargestPoints);
  const auto all_fit = [&labels](const QFont& candidate) {
    return std::all_of(labels.begin(), labels.end(),
                       [&candidate](const QLabel* label) { return Fits(*label, candidate); });
  };
  font.setPointSizeF(points);
  while (points > kSmallestPoints && !all_fit(font)) {
    points -= 0.25;
    font.setPointSizeF(points);
  }
  setFont(font);
  for (QLabel* label : labels) {
    QFont own = font;
    own.setBold(label->font().bold());
    label->setFont(own);
  }
}

void Form3::Command1_Click() { accept(); }

void Form3::Command2_Click() {
  const std::string guide = UserGuidePath();
  const Status opened = opener_.Open(guide);
  if (opened.ok()) return;
  messages_.ShowMessage(Message{"The user guide could not be opened: " + opened.message(),
                                messages::kProgramTitle, MessageIcon::Exclamation});
}

}  // namespace kestro
