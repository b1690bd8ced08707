#include "ui/twip_scale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace kestro {

TwipScale TwipScale::OfPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || screen->logicalDotsPerInchX() <= 0) return TwipScale(1.0);
  return TwipScale(screen->logicalDotsPerInchX() / 96.0);
}

int TwipScale::Px(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * scale_)); }

QRect TwipScale::Rect(const TwipRect& place) const {
  const int left = Px(place.left);
  const int top = Px(place.top);
  const int right = Px(place.left + place.width);
  const int bottom = Px(place.top + place.height);
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace kestro
