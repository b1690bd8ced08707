#include "app/splash_window.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QTest>
#include <QWindow>

namespace kestro {
namespace {

TEST(SplashPictureTest, IsA250PixelSquareOf24BitColourWithAPictureOnIt) {
  const QImage picture = DrawSplashPicture(250);
  EXPECT_EQ(picture.size(), QSize(250, 250));
  EXPECT_EQ(picture.depth(), 24);
  QSet<QRgb> colours;
  for (int y = 0; y < 250; y += 5) {
    for (int x = 0; x < 250; x += 5) colours.insert(picture.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 50);
}

TEST(SplashWindowTest, IsABorderless250PixelWindowWithItsTimerRunning) {
  SplashWindow splash;
  EXPECT_EQ(splash.objectName(), "frmSplash");
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
  const qreal ratio = splash.devicePixelRatioF();
  EXPECT_EQ(qRound(splash.width() * ratio), 250);
  EXPECT_EQ(qRound(splash.height() * ratio), 250);
  EXPECT_TRUE(splash.Timer1().isActive());
  EXPECT_TRUE(splash.Timer1().isSingleShot());
  EXPECT_EQ(splash.Timer1().interval(), 2000);
  EXPECT_FALSE(splash.testAttribute(Qt::WA_QuitOnClose));
}

TEST(SplashWindowTest, ItsTimerClosesIt) {
  SplashWindow splash;
  splash.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 10000));
}

TEST(MakeTopmostTest, KeepsTheWindowAboveWithoutMovingOrResizingIt) {
  SplashWindow splash;
  splash.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
  const QRect before = splash.geometry();
  MakeTopmost(splash);
  QTest::qWait(50);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(splash.geometry(), before);
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  ASSERT_NE(splash.windowHandle(), nullptr);
  EXPECT_TRUE(splash.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace kestro
