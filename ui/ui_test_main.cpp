// The main of the window tests (ui_tests and app_tests): one QApplication for all tests, on the
// offscreen platform unless QT_QPA_PLATFORM names another, with a configuration and a state folder
// of its own, so that no test reads or writes the user's settings or journal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir config;
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
