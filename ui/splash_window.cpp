#include "ui/splash_window.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace kestro {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  // The splash never keeps the program alive, nor does its closing end it.
  setAttribute(Qt::WA_QuitOnClose, false);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setSingleShot(true);
  timer1_.setInterval(kTimerMilliseconds);
  connect(&timer1_, &QTimer::timeout, this, &SplashWindow::Timer1_Timer);
  Form_Load();
}

void SplashWindow::Form_Load() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
  const int side = static_cast<int>(std::lround(kPicturePixels / ratio));
  setFixedSize(side, side);
  picture_ = DrawSplashPicture(kPicturePixels);
  picture_.setDevicePixelRatio(ratio);
  if (screen != nullptr) {
    QRect frame(0, 0, side, side);
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
  }
  timer1_.start();
}

void SplashWindow::Timer1_Timer() { close(); }

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), picture_);
}

QImage DrawSplashPicture(int pixels) {
  QImage image(pixels, pixels, QImage::Format_RGB888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = pixels / 250.0;
  painter.scale(s, s);

  // Evening sky.
  QLinearGradient sky(0, 0, 0, 250);
  sky.setColorAt(0.0, QColor(22, 44, 88));
  sky.setColorAt(0.65, QColor(214, 120, 64));
  sky.setColorAt(1.0, QColor(246, 204, 120));
  painter.fillRect(QRectF(0, 0, 250, 250), sky);
  QRadialGradient sun(QPointF(125, 168), 60);
  sun.setColorAt(0.0, QColor(255, 236, 170, 230));
  sun.setColorAt(1.0, QColor(255, 236, 170, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(sun);
  painter.drawEllipse(QPointF(125, 168), 60, 60);

  // A weather vane: the mast, the compass cross and the arrow turning on it.
  const QColor iron(34, 30, 40);
  painter.setBrush(iron);
  painter.drawRect(QRectF(122, 70, 6, 130));
  painter.drawRect(QRectF(96, 126, 58, 4));
  painter.drawEllipse(QPointF(125, 70), 6, 6);
  QPainterPath arrow;
  arrow.moveTo(62, 92);
  arrow.lineTo(170, 92);
  arrow.lineTo(170, 80);
  arrow.lineTo(196, 96);
  arrow.lineTo(170, 112);
  arrow.lineTo(170, 100);
  arrow.lineTo(62, 100);
  arrow.closeSubpath();
  painter.drawPath(arrow);
  // The tail: a kestrel's fanned feathers.
  for (int i = 0; i < 4; ++i) {
    QPainterPath feather;
    const double x = 54 + i * 8;
    feather.moveTo(x + 14, 96);
    feather.lineTo(x, 76 + i * 2);
    feather.lineTo(x - 6, 78 + i * 2);
    feather.lineTo(x + 6, 96);
    feather.lineTo(x - 6, 114 - i * 2);
    feather.lineTo(x, 116 - i * 2);
    feather.closeSubpath();
    painter.drawPath(feather);
  }
  painter.drawRect(QRectF(20, 200, 210, 8));

  // The name.
  painter.setPen(QColor(250, 244, 228));
  QFont title(QStringLiteral("Sans Serif"));
  title.setPixelSize(30);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRectF(0, 14, 250, 40), Qt::AlignCenter, QStringLiteral("Kestrovane"));
  QFont version = title;
  version.setPixelSize(14);
  version.setBold(false);
  painter.setFont(version);
  painter.setPen(iron);
  painter.drawText(QRectF(0, 216, 250, 24), Qt::AlignCenter, QStringLiteral("1.0"));
  return image;
}

void MakeTopmost(QWidget& window) {
  const Qt::WindowFlags flags = window.windowFlags() | Qt::WindowStaysOnTopHint;
  // setWindowFlags would hide the window and let the window manager place it anew; changing the
  // native window's flags in place keeps it where it is, at its size.
  window.overrideWindowFlags(flags);
  if (QWindow* native = window.windowHandle()) native->setFlags(flags);
}

}  // namespace kestro
