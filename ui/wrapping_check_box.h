// A check box whose caption wraps onto further lines when it is wider than the box, as classic
// check boxes do, so a long caption in a narrow page is shown whole.
#pragma once

#include <QCheckBox>

namespace kestro {

class WrappingCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  WrappingCheckBox(const QString& caption, QWidget* parent);

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;
  [[nodiscard]] bool hasHeightForWidth() const override { return true; }
  [[nodiscard]] int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  [[nodiscard]] bool hitButton(const QPoint& pos) const override;

 private:
  // Where the caption goes in a box of `width`, and the caption's room there.
  [[nodiscard]] int TextLeft() const;
  [[nodiscard]] QRect TextRect(int width) const;
};

}  // namespace kestro
