// The program around the main window: the entry procedure, the help window of the command line,
// its message boxes with a display, and the services the program hands to its windows.
#include "ui/entry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <sstream>

#include "batch/recording_ui_host.h"
#include "cli/command_line_mode.h"
#include "cli/headless.h"
#include "cli/help_texts.h"
#include "engine/command_args.h"
#include "engine/messages.h"
#include "platform/memory_file_system.h"
#include "ui/form3.h"
#include "ui/message_box_ui_host.h"
#include "ui/splash_window.h"
#include "ui/user_guide.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

TEST(DisplayAvailableTest, EitherVariableSetAndNotEmpty) {
  EXPECT_FALSE(DisplayAvailable(nullptr, nullptr) || DisplayAvailable("", ""));
  EXPECT_TRUE(DisplayAvailable(":0", nullptr) && DisplayAvailable("", "wayland-0"));
}

class EntryTest : public ::testing::Test {
 protected:
  EntryTest() { fs_.AddFile("/home/u/Photos", "a.doc"); }
  // A new entry procedure, its outputs empty.
  Module12& Fresh(UiHost* messages = nullptr) {
    entry_.reset();
    out_.str("");
    err_.str("");
    entry_ = std::make_unique<Module12>(EntryServices{fs_, settings_, clock_, opener_}, out_, err_,
                                        messages);
    return *entry_;
  }
  std::string Splash() {
    return settings_.Get(kSettingsApplication, kSettingsSection, kSplashKey, "<unset>");
  }

  MemoryFileSystem fs_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingOpener opener_;
  RecordingUiHost ui_;
  std::ostringstream out_;
  std::ostringstream err_;
  std::unique_ptr<Module12> entry_;
};

TEST_F(EntryTest, WithoutADisplayTheCommandLineOpensNoWindowAndNeverWaits) {
  settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, "0");
  const qsizetype windows = QApplication::topLevelWidgets().size();
  EXPECT_EQ(Fresh().Start(SplitArgumentText("/home/u/Photos -F *.doc -C upper"), false), kExitDone);
  EXPECT_TRUE(fs_.Exists("/home/u/Photos", "A.DOC"));
  EXPECT_EQ(out_.str() + err_.str(), "");
  // A wrong command line, and one empty argument: the help on standard output.
  EXPECT_EQ(Fresh().Start(SplitArgumentText("/home/u/Photos -F *.doc -NA -X"), false),
            kExitWrongCommand);
  EXPECT_EQ(err_.str(), std::string("kestro: ") + messages::kWrongCommands + "\n");
  EXPECT_EQ(out_.str(), HeadlessHelp());
  EXPECT_EQ(Fresh().Start(SplitArgumentText("\"\""), false), kExitWrongCommand);
  EXPECT_EQ(out_.str(), HeadlessHelp());
  // As the window shows it: a row on a line, a blank line for a rule, the explanations in a column.
  const std::string help = HelpTextForTerminal();
  EXPECT_THAT(help, StartsWith("Commandline Parameters \nKESTRO <path> <mode> <options>\n\n<path>:"
                               "  The directory in which you wish Kestrovane to process.\n"));
  const std::size_t f = help.find("\n  -F <filemask> "), nd = help.find("\n  -ND [-L [<length>] ]");
  EXPECT_EQ(help.find("-- Process Files", f) - f, help.find("-- Same as above", nd) - nd) << help;
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_EQ(Splash(), "0");
}

TEST_F(EntryTest, TheSplashComesOnTopOnAUsersFirstStartWithADisplay) {
  EXPECT_EQ(Fresh(&ui_).Start(CommandWords{}, false), std::nullopt);  // the window, but no display
  EXPECT_EQ(entry_->splash(), nullptr);
  EXPECT_EQ(Splash(), "<unset>");
  for (const char* stored : {"1", "", "11", "0"}) {
    settings_.Set(kSettingsApplication, kSettingsSection, kSplashKey, stored);
    EXPECT_EQ(Fresh(&ui_).Start(SplitArgumentText("/home/u/Photos -F *.doc -C lower"), true),
              kExitDone);
    ASSERT_EQ(entry_->splash() != nullptr, std::string(stored) != "1") << stored;
    EXPECT_EQ(Splash(), "1");
  }
  SplashWindow& splash = *entry_->splash();
  EXPECT_TRUE(splash.isVisible());
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(splash.size() * splash.devicePixelRatio(), QSize(250, 250));
  EXPECT_EQ(splash.geometry().center(), splash.screen()->geometry().center());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 10000));  // by its timer
}

// With a display, a program option where it does not belong: nothing renamed, its line, the help
// window; a "--dry-run" after the switch's words is a dry run; a batch's error lines go to standard
// error.
TEST_F(EntryTest, WithADisplayAProgramOptionOutOfPlaceRenamesNothing) {
  ASSERT_EQ(Fresh(&ui_).Start({"/home/u/Photos", "-F", "*.doc", "-C", "upper", "--undo"}, true),
            std::nullopt);
  EXPECT_NE(entry_->help_window(), nullptr);
  EXPECT_EQ(err_.str(), "kestro: '--undo' must stand first: kestro --undo [--dry-run]\n");
  EXPECT_EQ(out_.str(), "");
  EXPECT_TRUE(fs_.Exists("/home/u/Photos", "a.doc"));
  EXPECT_EQ(Fresh(&ui_).Start({"/home/u/Photos", "-F", "*.doc", "-C", "upper", "--dry-run"}, true),
            kExitDone);
  EXPECT_EQ(out_.str(), "'a.doc' -> 'A.DOC'\n");
  EXPECT_TRUE(fs_.Exists("/home/u/Photos", "a.doc"));
  EXPECT_FALSE(fs_.Exists("/home/u/Photos", "A.DOC"));
  // Its messages go to the host, its error lines to standard error.
  fs_.AddFile("/home/u/Photos", "A.DOC");
  EXPECT_EQ(Fresh(&ui_).Start(SplitArgumentText("/home/u/Photos -F *.doc -C upper"), true),
            kExitEntriesKept);
  EXPECT_THAT(err_.str(), StartsWith("kestro: cannot rename 'a.doc' to 'A.DOC': "));
  EXPECT_EQ(out_.str(), "");
}

// "--window <folder>" opens the window on that folder; without a folder it is a wrong call; a
// first word that is a folder is still a command line.
TEST_F(EntryTest, WindowOnAFolderOpensItThere) {
  fs_.AddFile("/home/u/Music", "b.mp3");
  EXPECT_EQ(Fresh().Start(SplitArgumentText("--window"), false),
            kExitWrongCommand);  // no folder: the help
  ASSERT_EQ(Fresh(&ui_).Start(SplitArgumentText("--window /home/u/Music"), true), std::nullopt);
  EXPECT_EQ(entry_->state().dirs_folder, "/home/u/Music");
  EXPECT_EQ(Rows(*entry_->main_window(), "List2"), QStringList{"b.mp3"});
  EXPECT_TRUE(Find(*entry_->main_window(), "dirs")->isVisible());
  EXPECT_EQ(Fresh().Start(SplitArgumentText("/home/u/Music -F * -C upper"), false), kExitDone);
}

// The help window of a wrong command line, closed by its close box (the splash still up) or by
// OK, and the main window: the program ends with its window, and no window is left behind.
TEST_F(EntryTest, ClosingItsWindowEndsTheProgram) {
  for (const auto& [arguments, by_ok, status] :
       {std::tuple{"--help", false, kExitWrongCommand},
        std::tuple{"/ -D -Q", true, kExitWrongCommand}, std::tuple{"", false, 0}}) {
    const qsizetype windows = QApplication::topLevelWidgets().size();
    ASSERT_EQ(Fresh(&ui_).Start(SplitArgumentText(arguments), true), std::nullopt);
    QWidget* window = *arguments ? entry_->help_window() : entry_->main_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), *arguments ? "Form3" : "Form1");
    QTimer::singleShot(0, window,
                       [=] { by_ok ? Click(*window, "Command1") : void(window->close()); });
    QTimer::singleShot(10000, window, [] { QCoreApplication::exit(99); });
    const int loop = QApplication::exec();
    EXPECT_EQ(loop, 0);
    EXPECT_EQ(entry_->StatusAfterEventLoop(loop), status);
    EXPECT_EQ(out_.str(), "");
    entry_.reset();
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  }
}

class Form3Test : public ::testing::Test {
 protected:
  RecordingOpener opener_;
  RecordingUiHost ui_;
  Form3 form_{opener_, ui_};
};

// The window says what the terminal says: the frame's caption and the labels, read row by row,
// give the terminal's help word for word. Every text is shown whole and clear of the others, in a
// window of 7920 by 5808 twips (1/1440 inch) at any DPI, the buttons below the frame.
TEST_F(Form3Test, PlacementShowsTheTerminalsHelpWholeAndClearOfItself) {
  form_.show();
  EXPECT_EQ(form_.windowTitle().toStdString(), kHelpWindowTitle);
  const double dpi = ScreenDpi(form_);
  EXPECT_NEAR(form_.width() * 1440 / dpi, 7920, 1440 / dpi);
  EXPECT_NEAR(form_.height() * 1440 / dpi, 5808, 1440 / dpi);
  QList<QLabel*> labels = form_.findChildren<QLabel*>();
  std::sort(labels.begin(), labels.end(), [](const QLabel* a, const QLabel* b) {
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
  });
  QString shown = Find<QGroupBox>(form_, "Frame2")->title();
  std::vector<QRect> inked;  // where the texts are drawn
  for (const QLabel* label : labels) {
    SCOPED_TRACE(label->objectName().toStdString());
    if (label->objectName() != "MoreOptions") shown += " " + label->text();
    EXPECT_TRUE(label->isVisible() && label->parentWidget()->rect().contains(label->geometry()));
    const QRect text =
        label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                          label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
    EXPECT_LE(text.width(), label->width() + 1);  // a pixel of rounding
    // A line's height holds its leading as well as ink: one line may pass its label by 3 pixels.
    EXPECT_LE(text.height(), label->height() + (label->wordWrap() ? 1 : 3));
    for (const QRect& other : inked) EXPECT_FALSE(other.intersects({label->pos(), text.size()}));
    inked.emplace_back(label->pos(), text.size());
  }
  const QRegularExpression blanks("\\s+");
  EXPECT_EQ(shown.replace(blanks, " ").trimmed(),
            QString::fromStdString(HelpTextForTerminal()).replace(blanks, " ").trimmed());
  EXPECT_TRUE(Find(form_, "Label11")->font().bold());  // the syntax, not its explanation
  EXPECT_FALSE(Find(form_, "Label3")->font().bold());
  EXPECT_GT(Find(form_, "Command2")->y(), Find(form_, "Frame2")->geometry().bottom());
  EXPECT_LT(Find(form_, "Command2")->geometry().right(), Find(form_, "Command1")->x());
  EXPECT_TRUE(form_.rect().contains(Find(form_, "Command1")->geometry()));
  // Below the design's texts, beside the buttons: what else the command line takes.
  const auto* more = Find<QLabel>(form_, "MoreOptions");
  ASSERT_NE(more, nullptr);
  EXPECT_GT(more->y(), Find(form_, "Frame2")->geometry().bottom());
  EXPECT_LT(more->geometry().right(), Find(form_, "Command2")->x());
  for (const char* option : {"--dry-run", "--undo", "--window", "-CE"})
    EXPECT_TRUE(more->text().contains(option)) << option;
}

TEST_F(Form3Test, PlacementAgainAt144Dpi) {
  RunAgainAtDpi("Form3Test.Placement*-Form3Test.PlacementAgainAt144Dpi", 144);
}

TEST_F(Form3Test, UserguideShowsTheGuideInItsOwnWindowAndEnterOnOkEndsIt) {
  form_.show();
  Click(form_, "Command2");  // no guide beside the test program: said, not shown empty
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_THAT(ui_.messages[0].text, StartsWith("The user guide could not be opened: '"));
  Form3 with_guide(opener_, ui_, nullptr, KESTRO_GUIDE);
  with_guide.show();
  Click(with_guide, "Command2");
  auto* guide = with_guide.findChild<QWidget*>("GuideWindow");
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->isVisible());
  EXPECT_TRUE(opener_.opened.empty());  // no browser needed
  EXPECT_EQ(ui_.messages.size(), 1u);
  QSignalSpy finished(&form_, &QDialog::finished);
  QTest::keyClick(form_.focusWidget(), Qt::Key_Return);  // on OK, which has the focus
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(form_.isVisible());
}

// Each message as its box shows it, read while the box waits; then its one button is pressed.
TEST(MessageBoxUiHostTest, ShowsTitleTextAndIconWithOneButton) {
  using Seen = std::tuple<std::string, QMessageBox::Icon, std::string>;  // title, icon, text
  const std::tuple<MessageIcon, const char*, Seen> cases[] = {
      {MessageIcon::Critical, "Error!", {"Error!", QMessageBox::Critical, "a <b>"}},
      {MessageIcon::Exclamation, "Error!", {"Error!", QMessageBox::Warning, "a <b>"}},
      {MessageIcon::None, "", {messages::kProgramTitle, QMessageBox::NoIcon, "a <b>"}},
  };
  for (const auto& [icon, title, expected] : cases) {
    Seen seen;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen = {box->windowTitle().toStdString(), box->icon(), box->text().toStdString()};
      EXPECT_EQ(box->buttons().size(), 1);
      box->buttons().isEmpty() ? box->reject() : box->buttons()[0]->click();
    });
    reader.start(10);
    MessageBoxUiHost().ShowMessage(Message{"a <b>", title, icon});
    EXPECT_EQ(seen, expected);
  }
}

void Write(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(QDir().mkpath(path.section('/', 0, -2)) && file.open(QIODevice::WriteOnly) &&
              file.write(content) == content.size());
}

TEST(UserGuidePathTest, PrefersTheGuideBesideTheProgramThenTheInstalledOne) {
  QTemporaryDir prefix;
  const QString beside = prefix.filePath("bin/manual.htm");
  const QString installed = prefix.filePath("share/doc/kestrovane/manual.htm");
  const std::string bin = prefix.filePath("bin").toStdString();
  EXPECT_EQ(UserGuidePathIn(bin), beside.toStdString());
  Write(installed, "<html></html>");
  EXPECT_EQ(UserGuidePathIn(bin), installed.toStdString());
  // The window program, in the install's private folder, finds the same guide.
  EXPECT_EQ(UserGuidePathIn(prefix.filePath("libexec/kestrovane").toStdString()),
            installed.toStdString());
  Write(beside, "<html></html>");
  EXPECT_EQ(UserGuidePathIn(bin), beside.toStdString());
}

}  // namespace
}  // namespace kestro::window_test
