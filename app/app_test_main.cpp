// The Qt tests of the program run on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise, with one application object for all of them, and with a configuration folder of
// their own, so no test reads or writes the user's settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;
  if (!config.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
