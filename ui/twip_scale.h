// Twips (1/1440 inch) to pixels for the program's small windows: 15 twips a pixel at 96 dpi,
// scaled with the logical DPI of the screen.
#pragma once

#include <QRect>

#include "cli/help_texts.h"

namespace kestro {

class TwipScale {
 public:
  // `dpi_scale` is the screen's logical DPI divided by 96.
  explicit TwipScale(double dpi_scale) : scale_(dpi_scale) {}
  // The scale of the primary screen (1 when there is none).
  static TwipScale OfPrimaryScreen();

  [[nodiscard]] int Px(int twips) const;
  // The edges are rounded, not the sizes, so controls that touch in twips touch in pixels.
  [[nodiscard]] QRect Rect(const TwipRect& place) const;
  [[nodiscard]] double scale() const { return scale_; }

 private:
  double scale_;
};

}  // namespace kestro
