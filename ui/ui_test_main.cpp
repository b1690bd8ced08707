// The main of the window tests (ui_tests and app_tests): one QApplication for all tests, on the
// offscreen platform (a 1920 x 1200 screen) unless QT_QPA_PLATFORM names another, with a
// configuration and a state folder of its own, so that no test reads or writes the user's settings
// or journal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  const QTemporaryDir config;
  // Qt's offscreen screen is 800 x 600 unless told otherwise; the window with its preview is wider,
  // and a window comes back at most as large as its screen.
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    QFile screen(config.filePath("screen.json"));
    if (screen.open(QFile::WriteOnly)) {
      screen.write(R"({"screens": [{"name": "desk", "width": 1920, "height": 1200,
          "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
  }
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  qputenv("XDG_STATE_HOME", (config.path() + "/state").toLocal8Bit());
  QApplication app(argc, argv);
  // Counts in the window read as in the United States: 1,200, whatever the machine's locale.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  // A test that closes a window must not end the application for the tests after it.
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
