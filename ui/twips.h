// Window positions given in twips (1/1440 inch) turned into pixels: 15 twips a pixel at 96 dpi,
// scaled with the logical DPI of the screen the window is on.
#pragma once

#include <QRect>

class QWidget;

namespace kestro {

class Twips {
 public:
  // `dpi_scale` is the screen's logical DPI divided by 96.
  explicit Twips(double dpi_scale = 1.0) : scale_(dpi_scale) {}
  // The scale of the screen `widget` is on (of the primary screen when it has none yet).
  static Twips ForWidget(const QWidget* widget);

  [[nodiscard]] int Px(int twips) const;
  // left, top, width and height in twips; the edges are rounded, so neighbours stay neighbours.
  [[nodiscard]] QRect Rect(int left, int top, int width, int height) const;
  [[nodiscard]] double scale() const { return scale_; }

 private:
  double scale_;
};

}  // namespace kestro
