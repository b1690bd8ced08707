// Win32Entry: the splash on a user's first start only, and a wrong command line answered by its
// error line in a message box and the help window, which makes the exit status 2.
#include "winui/win32_entry.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <sstream>

#include "batch/pickers.h"
#include "batch/recording_ui_host.h"
#include "platform/native_file_system.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/help_window.h"
#include "winui/splash_window.h"

namespace kestro {
namespace {

struct NoOpener : DocumentOpener {
  Status Open(const std::string&) override { return Status(); }
};

TEST(Win32EntryTest, TheSplashComesOnTheFirstStartOnlyAndAWrongCommandLineGetsItsLineAndTheHelp) {
  InitCommonControls();
  const std::unique_ptr<FileSystem> fs = NewNativeFileSystem();
  MemorySettingsStore settings;
  const FixedClock clock({2026, 12, 4});
  NoOpener opener;
  RecordingUiHost ui;
  std::ostringstream out;
  const Win32EntryServices services{*fs, settings, clock, opener, nullptr, &ui, "guide.htm"};
  for (const bool first_start : {true, false}) {
    std::ostringstream err;
    Win32Entry entry(services, out, err);
    EXPECT_EQ(entry.Start(SplitArgumentText("")), std::nullopt);
    EXPECT_EQ(ControlName(entry.main_window()->hwnd()), "Form1");
    EXPECT_EQ(entry.splash() != nullptr, first_start);
    EXPECT_EQ(settings.Get(kSettingsApplication, kSettingsSection, "Splash", ""), "1");
  }
  // Its error line, which no console may show, comes in a message box too; a program option
  // where it does not belong runs nothing.
  const struct {
    CommandWords words;
    std::string said;  // what the error output begins with, or is whole where it ends in "\n"
  } wrong[] = {
      {SplitArgumentText("Z:\\no\\such\\folder -D -C upper"),
       "kestro: cannot use folder 'Z:\\no\\such\\folder'"},
      {{"Z:\\no\\such\\folder", "--window", "-D", "-C", "upper"},
       "kestro: '--window' must stand first: kestro --window <folder>\n"},
  };
  for (const auto& w : wrong) {
    ui.messages.clear();
    std::ostringstream err;
    Win32Entry entry(services, out, err);
    EXPECT_EQ(entry.Start(w.words), std::nullopt);
    ASSERT_NE(entry.help_window(), nullptr);
    EXPECT_EQ(ControlName(entry.help_window()->hwnd()), "Form3");
    EXPECT_EQ(entry.main_window(), nullptr);
    EXPECT_EQ(entry.StatusAfterLoop(0), 2);
    EXPECT_EQ(err.str().substr(0, w.said.back() == '\n' ? std::string::npos : w.said.size()),
              w.said);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text + "\n", err.str());
    EXPECT_TRUE(ui.messages[0].lines);
  }
}

}  // namespace
}  // namespace kestro
