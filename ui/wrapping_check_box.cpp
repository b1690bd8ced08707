// WrappingCheckBox.
#include "ui/wrapping_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace kestro {
namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
}  // namespace

WrappingCheckBox::WrappingCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

int WrappingCheckBox::TextLeft() const {
  return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
         style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this) + 2;
}

QRect WrappingCheckBox::TextRect(int width) const {
  const int room = std::max(1, width - TextLeft());
  return fontMetrics().boundingRect(QRect(0, 0, room, 10000), kTextFlags, text());
}

QSize WrappingCheckBox::sizeHint() const {
  const QSize one_line = QCheckBox::sizeHint();
  return QSize(one_line.width(), std::max(one_line.height(), heightForWidth(one_line.width())));
}

QSize WrappingCheckBox::minimumSizeHint() const {
  return QSize(TextLeft() + fontMetrics().averageCharWidth() * 8, QCheckBox::sizeHint().height());
}

int WrappingCheckBox::heightForWidth(int width) const {
  const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  return std::max(indicator, TextRect(width).height()) + 4;
}

void WrappingCheckBox::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  // The box alone, centred on the first line of the caption.
  QStyleOptionButton box = option;
  const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  box.rect = QRect(0, 0, width(), std::max(indicator, fontMetrics().height()) + 4);
  painter.drawControl(QStyle::CE_CheckBox, box);
  const QRect text_area(TextLeft(), 2, width() - TextLeft(), height() - 4);
  painter.drawItemText(text_area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, option.palette,
                       isEnabled(), caption, QPalette::WindowText);
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace kestro
