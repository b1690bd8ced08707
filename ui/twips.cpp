// Twips to pixels.
#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "batch/twip_rect.h"

namespace kestro {

namespace {
constexpr double kDesignDpi = 96.0;
}  // namespace

Twips Twips::ForWidget(const QWidget* widget) {
  const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : kDesignDpi;
  return Twips(dpi > 0 ? dpi / kDesignDpi : 1.0);
}

int Twips::Px(int twips) const { return TwipsToPixels(twips, scale_); }

QRect Twips::Rect(int left, int top, int width, int height) const {
  const PixelRect r = TwipsToPixels(TwipRect{left, top, width, height}, scale_);
  return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace kestro
