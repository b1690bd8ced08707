// frmSplash, the window shown once on a user's first start: a borderless 250 by 250 pixel picture
// in the middle of the screen, closed by its timer after two seconds or with the program.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace kestro {

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPicturePixels = 250;
  static constexpr int kTimerMilliseconds = 2000;

  explicit SplashWindow(QWidget* parent = nullptr);

  // Sizes the window to exactly 250 by 250 device pixels and centres it; starts Timer1.
  void Form_Load();
  void Timer1_Timer();  // closes the window

  [[nodiscard]] const QTimer& Timer1() const { return timer1_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer timer1_;
  QImage picture_;
};

// The splash picture, drawn here rather than shipped: `pixels` square, 24 bits a pixel.
[[nodiscard]] QImage DrawSplashPicture(int pixels);

// Keeps `window` above every other window of the desktop, without moving or resizing it.
void MakeTopmost(QWidget& window);

}  // namespace kestro
