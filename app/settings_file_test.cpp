// The command line keeps its settings without Qt in the file the window's QSettings keeps: each
// reads what the other wrote, whatever the text, and neither drops the other's keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/qt_settings_store.h"
#include "platform/posix/ini_settings_store.h"

namespace kestro {
namespace {

TEST(SettingsFileTest, TheCommandLineAndTheWindowReadWhatTheOtherWrote) {
  IniSettingsStore plain(std::getenv("XDG_CONFIG_HOME"));  // the tests' own, set by their main
  QtSettingsStore qt;
  const std::string values[] = {
      "/home/u/My Photos",
      " lead",
      "trail ",
      "a;b",
      "c,d=e",
      "q\"x\\y",
      "tab\there\nnl",
      "é日本🙂",
      "@at",
      "#h",
      "x\x01"
      "f",
      "[sec]",
      "",
  };
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    plain.Set(kSettingsApplication, kSettingsSection, "LastDir", value);
    EXPECT_EQ(qt.Get(kSettingsApplication, kSettingsSection, "LastDir", "?"), value);
    qt.Set(kSettingsApplication, kSettingsSection, "Splash", value + "!");
    EXPECT_EQ(plain.Get(kSettingsApplication, kSettingsSection, "Splash", "?"), value + "!");
    EXPECT_EQ(plain.Get(kSettingsApplication, kSettingsSection, "LastDir", "?"), value);
  }
  EXPECT_EQ(plain.Get(kSettingsApplication, kSettingsSection, "Missing", "none"), "none");
}

}  // namespace
}  // namespace kestro
