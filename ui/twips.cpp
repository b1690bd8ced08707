// Twips to pixels.
#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace kestro {

namespace {
constexpr double kTwipsPerPixel = 15.0;
constexpr double kDesignDpi = 96.0;
}  // namespace

Twips Twips::ForWidget(const QWidget* widget) {
  const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : kDesignDpi;
  return Twips(dpi > 0 ? dpi / kDesignDpi : 1.0);
}

int Twips::Px(int twips) const {
  return static_cast<int>(std::lround(twips * scale_ / kTwipsPerPixel));
}

QRect Twips::Rect(int left, int top, int width, int height) const {
  const int x = Px(left);
  const int y = Px(top);
  return QRect(x, y, Px(left + width) - x, Px(top + height) - y);
}

}  // namespace kestro
