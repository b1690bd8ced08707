#include "ui/form3.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "cli/help_texts.h"
#include "engine/messages.h"
#include "ui/guide_window.h"
#include "ui/twip_scale.h"
#include "ui/user_guide.h"

namespace kestro {
namespace {

// The design's font is 8 points of a narrow sans serif; Arial's metric twins come closest. Below
// 6 points the texts stop being readable, so they are then clipped instead.
constexpr double kLargestPoints = 8.0;
constexpr double kSmallestPoints = 6.0;
constexpr double kPointStep = 0.25;
const char* const kPreferredFamilies[] = {"Arial", "Liberation Sans", "Arimo", "Nimbus Sans",
                                          "Helvetica"};

QFrame* MakeRule(QWidget* parent, const char* name, const QRect& place) {
  auto* rule = new QFrame(parent);
  rule->setObjectName(QString::fromLatin1(name));
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(place);
  return rule;
}

// The width a one-line label may take: up to the next label of its row, or the frame's edge.
int RoomOf(const QLabel& label, const QList<QLabel*>& labels, int frame_right) {
  int limit = frame_right;
  for (const QLabel* other : labels) {
    if (other->y() == label.y() && other->x() > label.x()) limit = std::min(limit, other->x());
  }
  return std::max(label.width(), limit - label.x() - 2);
}

int NeededWidth(const QLabel& label, const QFont& font) {
  QFont own = font;
  own.setBold(label.font().bold());
  return QFontMetrics(own).horizontalAdvance(label.text());
}

bool Fits(const QLabel& label, int room, const QFont& font) {
  QFont own = font;
  own.setBold(label.font().bold());
  const QFontMetrics metrics(own);
  if (label.wordWrap()) {
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, label.width(), 100000), Qt::TextWordWrap, label.text());
    return needed.height() <= label.height() + 1;
  }
  return metrics.horizontalAdvance(label.text()) <= room && metrics.height() <= label.height() + 3;
}

}  // namespace

Form3::Form3(DocumentOpener& opener, UiHost& messages, QWidget* parent, std::string guide)
    : QDialog(parent), opener_(opener), messages_(messages), guide_path_(std::move(guide)) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QString::fromLatin1(kHelpWindowTitle));
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
  // The caption sits in the frame's top line, as classic dialogs draw it, so the syntax line
  // below keeps its place.
  frame2->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
      " padding: 0px 2px; }"));
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
  auto* more = new QLabel(QString::fromUtf8(kHelpMoreLabel.text), this);
  more->setObjectName(QString::fromLatin1(kHelpMoreLabel.name));
  more->setTextFormat(Qt::PlainText);
  more->setWordWrap(true);
  more->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  more->setGeometry(twips.Rect(kHelpMoreLabel.place));
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
  const int frame_right = findChild<QGroupBox*>(QStringLiteral("Frame2"))->contentsRect().right();
  QList<int> rooms;
  for (const QLabel* label : labels) rooms.append(RoomOf(*label, labels, frame_right));

  QFont font = this->font();
  for (const char* family : kPreferredFamilies) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
      font.setFamily(QString::fromLatin1(family));
      break;
    }
  }
  const auto all_fit = [&](const QFont& candidate) {
    for (qsizetype i = 0; i < labels.size(); ++i) {
      if (!Fits(*labels[i], rooms[i], candidate)) return false;
    }
    return true;
  };
  double points = kLargestPoints;
  font.setPointSizeF(points);
  while (points > kSmallestPoints && !all_fit(font)) {
    points -= kPointStep;
    font.setPointSizeF(points);
  }
  setFont(font);
  // A styled frame does not take its font from the window.
  findChild<QGroupBox*>(QStringLiteral("Frame2"))->setFont(font);
  for (qsizetype i = 0; i < labels.size(); ++i) {
    QLabel* label = labels[i];
    QFont own = font;
    own.setBold(label->font().bold());
    label->setFont(own);
    // A one-line text a little wider than its place takes the free room beside it.
    if (!label->wordWrap()) {
      const int width = std::min(rooms[i], std::max(label->width(), NeededWidth(*label, font)));
      label->resize(width, label->height());
    }
  }
}

void Form3::Command1_Click() { accept(); }

void Form3::Command2_Click() {
  // The guide in a window of the program's own, as Help of the main window shows it, so it is
  // there also where no program opens HTML.
  if (guide_ == nullptr) {
    auto guide = std::make_unique<GuideWindow>(opener_);
    const Status loaded = guide->Load(guide_path_.empty() ? UserGuidePath() : guide_path_);
    if (!loaded.ok()) {
      messages_.ShowMessage(Message{messages::kGuideNotOpened + loaded.message(),
                                    messages::kProgramTitle, MessageIcon::Exclamation});
      return;
    }
    guide->setParent(this, guide->windowFlags());  // it goes with this window
    guide_ = guide.release();
  }
  guide_->show();
  guide_->raise();
  guide_->activateWindow();
}

}  // namespace kestro
