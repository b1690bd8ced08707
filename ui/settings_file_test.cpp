// The command line keeps its settings without Qt in the file the window's QSettings keeps: each
// reads what the other wrote, whatever the text, and neither drops the other's keys.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/posix/ini_settings_store.h"
#include "ui/qt_settings_store.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

TEST(SettingsFileTest, TheCommandLineAndTheWindowReadWhatTheOtherWrote) {
  const std::string config = std::getenv("XDG_CONFIG_HOME");  // the tests' own, set by main
  IniSettingsStore plain(config);
  const stdfs::path file =
      stdfs::path(config) / kSettingsApplication / (std::string(kSettingsSection) + ".conf");
  int writes = 0;
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
      "@Variant(not one)",
      "#h",
      "x\x01"
      "f",
      "[sec]",
      "",
  };
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    plain.Set(kSettingsApplication, kSettingsSection, "LastDir", value);
    // QSettings keeps the file cached in the process and reads it again when its time or size
    // changed; here the writes come faster than the clock moves, so each gets a time of its own.
    stdfs::last_write_time(file, stdfs::last_write_time(file) + std::chrono::minutes(++writes));
    EXPECT_EQ(qt.Get(kSettingsApplication, kSettingsSection, "LastDir", "?"), value);
    qt.Set(kSettingsApplication, kSettingsSection, "Splash", value + "!");
    EXPECT_EQ(plain.Get(kSettingsApplication, kSettingsSection, "Splash", "?"), value + "!");
    EXPECT_EQ(plain.Get(kSettingsApplication, kSettingsSection, "LastDir", "?"), value);
  }
  EXPECT_EQ(plain.Get(kSettingsApplication, kSettingsSection, "Missing", "none"), "none");
  EXPECT_EQ(qt.Get(kSettingsApplication, kSettingsSection, "Missing", "none"), "none");
}

}  // namespace
}  // namespace kestro
