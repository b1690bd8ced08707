// Places in twips (1/1440 inch), as the window designs give them, and their pixels: 15 twips a
// pixel at 96 dpi, scaled by the screen's DPI. Shared by every window of every toolkit.
#pragma once

#include <cmath>

namespace kestro {

// A rectangle in twips: left, top, width, height within its parent.
struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// `twips` in pixels on a screen of `dpi_scale` (its DPI divided by 96), rounded to the nearest.
[[nodiscard]] inline int TwipsToPixels(int twips, double dpi_scale) {
  return static_cast<int>(std::lround(twips * dpi_scale / 15.0));
}

// A rectangle in pixels: its edges are rounded, not its size, so neighbours stay neighbours.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
[[nodiscard]] inline PixelRect TwipsToPixels(const TwipRect& r, double dpi_scale) {
  const int x = TwipsToPixels(r.left, dpi_scale);
  const int y = TwipsToPixels(r.top, dpi_scale);
  return {x, y, TwipsToPixels(r.left + r.width, dpi_scale) - x,
          TwipsToPixels(r.top + r.height, dpi_scale) - y};
}

}  // namespace kestro
