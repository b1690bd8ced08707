#include "app/entry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <sstream>
#include <string>

#include "app/command_line_mode.h"
#include "app/form3.h"
#include "app/help_texts.h"
#include "app/splash_window.h"
#include "app/test_doubles.h"
#include "batch/recording_ui_host.h"
#include "engine/messages.h"
#include "platform/memory_file_system.h"

namespace kestro {
namespace {

constexpr char kFolder[] = "/home/u/Photos";

TEST(DisplayAvailableTest, EitherVariableSetAndNotEmpty) {
  EXPECT_FALSE(DisplayAvailable(nullptr, nullptr));
  EXPECT_FALSE(DisplayAvailable("", ""));
  EXPECT_TRUE(DisplayAvailable(":0", nullptr));
  EXPECT_TRUE(DisplayAvailable(nullptr, "wayland-0"));
  EXPECT_TRUE(DisplayAvailable("", "wayland-0"));
}

class EntryTest : public ::testing::Test {
 protected:
  EntryTest() {
    fs_.AddFile(kFolder, "a.doc");
    fs_.AddFile(kFolder, "b.txt");
  }
  EntryServices services() { return EntryServices{fs_, settings_, clock_, opener_}; }
  std::string Splash() {
    return settings_.Get(kSettingsApplication, kSettingsSection, kSplashKey, "<unset>");
  }
  static qsizetype Windows() { return QApplication::topLevelWidgets().size(); }
  static QWidget* FindWindow(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == QLatin1String(name)) return widget;
    }
    return nullptr;
  }

  MemoryFileSystem fs_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingOpener opener_;
  RecordingUiHost ui_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(EntryTest, SetsTheInitialProgramWideState) {
  Module12 entry(services(), out_, err_);
  entry.state().TargetKind = false;
  entry.state().active_operation = ActiveOperation::Case;
  entry.state().WrongCommand = true;
  ASSERT_EQ(entry.Start("/home/u/Photos -F *.none -C upper", false), kExitDone);
  EXPECT_TRUE(entry.state().TargetKind);
  EXPECT_FALSE(entry.state().WrongCommand);
}

TEST_F(EntryTest, HeadlessRunOpensNoWindowAndLeavesSplashAlone) {
  settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, "0");
  const qsizetype before = Windows();
  Module12 entry(services(), out_, err_);
  EXPECT_EQ(entry.Start("/home/u/Photos -F *.doc -C upper", false), kExitDone);
  EXPECT_EQ(Windows(), before);
  EXPECT_EQ(entry.splash(), nullptr);
  EXPECT_EQ(Splash(), "0");
  EXPECT_TRUE(fs_.Exists(kFolder, "A.DOC"));
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(EntryTest, HeadlessHelpGoesToStandardOutputAndMessagesToStandardError) {
  Module12 entry(services(), out_, err_);
  EXPECT_EQ(entry.Start("/home/u/Photos -F *.doc -NA -X", false), kExitWrongCommand);
  EXPECT_EQ(out_.str(), HelpTextForTerminal());
  EXPECT_EQ(err_.str(), std::string("kestro: ") + messages::kWrongCommands + "\n");
  EXPECT_EQ(entry.help_window(), nullptr);
  EXPECT_TRUE(fs_.Exists(kFolder, "a.doc"));
}

TEST_F(EntryTest, OneEmptyArgumentIsACommandLine) {
  Module12 entry(services(), out_, err_);
  EXPECT_EQ(entry.Start("\"\"", false), kExitWrongCommand);
  EXPECT_EQ(out_.str(), HelpTextForTerminal());
  EXPECT_EQ(entry.main_window(), nullptr);
}

TEST_F(EntryTest, FirstStartWithADisplayShowsTheSplashOnTopAndRemembersIt) {
  for (const char* stored : {"<unset>", "0", "", "11"}) {
    SCOPED_TRACE(stored);
    if (std::string(stored) != "<unset>") {
      settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, stored);
    }
    Module12 entry(services(), out_, err_, &ui_);
    EXPECT_EQ(entry.Start("/home/u/Photos -F *.doc -C lower", true), kExitDone);
    QWidget* splash = FindWindow("frmSplash");
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash, entry.splash());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(Splash(), "1");
  }
}

TEST_F(EntryTest, TheSplashIsShownOnlyOnce) {
  settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, "1");
  Module12 entry(services(), out_, err_, &ui_);
  EXPECT_EQ(entry.Start("/home/u/Photos -F *.doc -C lower", true), kExitDone);
  EXPECT_EQ(entry.splash(), nullptr);
  EXPECT_EQ(FindWindow("frmSplash"), nullptr);
}

TEST_F(EntryTest, WithADisplayMessagesGoToTheHostAndErrorLinesToStandardError) {
  settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, "1");
  fs_.AddFile(kFolder, "A.DOC");
  Module12 entry(services(), out_, err_, &ui_);
  EXPECT_EQ(entry.Start("/home/u/Photos -F *.doc -C upper", true), kExitEntriesKept);
  EXPECT_EQ(err_.str().rfind("kestro: cannot rename 'a.doc' to 'A.DOC': ", 0), 0u) << err_.str();
  EXPECT_EQ(out_.str(), "");
}

// Runs the event loop until the program quits, or gives up after ten seconds with 99.
int RunEventLoop() {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  watchdog.start(10000);
  return QApplication::exec();
}

TEST_F(EntryTest, AWrongCommandLineShowsTheHelpWindowAndClosingItEndsTheProgram) {
  settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, "1");
  const qsizetype before = Windows();
  {
    Module12 entry(services(), out_, err_, &ui_);
    EXPECT_EQ(entry.Start("/home/u/Photos -D -Q", true), std::nullopt);
    Form3* help = entry.help_window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(out_.str(), "");
    QTimer::singleShot(0, help, [help] {
      QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    const int loop = RunEventLoop();
    EXPECT_EQ(loop, 0);
    EXPECT_EQ(entry.StatusAfterEventLoop(loop), kExitWrongCommand);
  }
  EXPECT_EQ(Windows(), before) << "no window of the run is left behind";
}

TEST_F(EntryTest, ClosingTheHelpWindowAnyOtherWayEndsTheProgramToo) {
  Module12 entry(services(), out_, err_, &ui_);
  EXPECT_EQ(entry.Start("--help", true), std::nullopt);
  Form3* help = entry.help_window();
  ASSERT_NE(help, nullptr);
  ASSERT_NE(entry.splash(), nullptr);
  QTimer::singleShot(0, help, [help] { help->close(); });
  EXPECT_EQ(RunEventLoop(), 0) << "the open splash does not keep the program alive";
}

TEST_F(EntryTest, FirstStartWithoutArgumentsShowsTheSplashAndTheMainWindow) {
  const qsizetype before = Windows();
  {
    Module12 entry(services(), out_, err_, &ui_);
    EXPECT_EQ(entry.Start("", true), std::nullopt);
    ASSERT_NE(entry.main_window(), nullptr);
    EXPECT_EQ(entry.main_window()->objectName(), "Form1");
    EXPECT_TRUE(entry.main_window()->isVisible());
    ASSERT_NE(entry.splash(), nullptr);
    EXPECT_TRUE(entry.splash()->isVisible());
    EXPECT_EQ(Splash(), "1");
    EXPECT_TRUE(entry.state().TargetKind);
    EXPECT_EQ(entry.state().command_line, "");
    // Closing the main window ends the program, the splash still showing or not.
    QWidget* main_window = entry.main_window();
    QTimer::singleShot(0, main_window, [main_window] { main_window->close(); });
    const int loop = RunEventLoop();
    EXPECT_EQ(loop, 0);
    EXPECT_EQ(entry.StatusAfterEventLoop(loop), 0);
  }
  EXPECT_EQ(Windows(), before);
}

TEST_F(EntryTest, WindowModeWithoutADisplayShowsNoSplash) {
  Module12 entry(services(), out_, err_, &ui_);
  EXPECT_EQ(entry.Start("", false), std::nullopt);
  ASSERT_NE(entry.main_window(), nullptr);
  EXPECT_EQ(entry.splash(), nullptr);
  EXPECT_EQ(Splash(), "<unset>");
}

}  // namespace
}  // namespace kestro
