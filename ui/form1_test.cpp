// The main window used as a person would: on a real temporary folder (an in-memory one where the
// drives are concerned), controls found by their names, driven by clicks and keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTextBrowser>

#include "engine/messages.h"
#include "platform/memory_file_system.h"
#include "ui/directory_tree_list.h"
#include "ui/drive_list.h"
#include "ui/guide_window.h"
#include "ui/qt_document_opener.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

using Form1Test = WindowTest;

QStringList VisiblePages(const QWidget& form) {
  QStringList shown;
  for (const char* page :
       {"dirs", "files", "rename", "strip", "replace", "selectcase", "extensionf", "sort"}) {
    if (Find(form, page)->isVisible()) shown << page;
  }
  return shown;
}

TEST_F(Form1Test, TheTreeChoosesByAClickOrAKeyOpensByADoubleClickOrEnterAndRemembers) {
  Make({"photos/img10/june/", "photos/img2/", "music/", ".hidden/", "photos/p.jpg"});
  {
    auto form = Open();
    ClickRow(*form, "Dir1", "music");
    QTest::keyClick(Find(*form, "Dir1"), Qt::Key_Down);
    EXPECT_EQ(Rows(*form, "List1"), (QStringList{"img2", "img10"}));
    EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir1")->path(), root_.toStdString());  // not open
  }
  EXPECT_EQ(LastDir(), (root_ + "/photos").toStdString());
  WindowState next_start;  // opens where the last one chose
  auto form = Open(&disk_, LastDir(), &next_start);
  auto* dir1 = Find<DirectoryTreeList>(*form, "Dir1");
  EXPECT_EQ(dir1->path(), (root_ + "/photos").toStdString());
  EXPECT_EQ(Rows(*form, "List2"), (QStringList{"p.jpg"}));
  ClickRow(*form, "Dir1", QDir(root_).dirName());                     // the folder above
  EXPECT_EQ(Rows(*form, "List1"), (QStringList{"music", "photos"}));  // no hidden entries
  ClickRow(*form, "Dir1", "/");                                       // the top row
  EXPECT_EQ(next_start.dirs_folder, "/");
  EXPECT_TRUE(Rows(*form, "List1").contains(root_.section('/', 1, 1)));
  ClickRow(*form, "Dir1", "img10", true);
  EXPECT_EQ(dir1->path(), (root_ + "/photos/img10").toStdString());
  QTest::keyClick(dir1, Qt::Key_Down);
  QTest::keyClick(dir1, Qt::Key_Return);
  EXPECT_EQ(dir1->path(), (root_ + "/photos/img10/june").toStdString());

  // A folder gone meanwhile leaves the choice and the tree as they were, and says why.
  ClickRow(*form, "Dir1", QDir(root_).dirName(), true);
  ClickRow(*form, "Dir1", "photos");
  ASSERT_TRUE(QDir(root_ + "/music").removeRecursively());
  ClickRow(*form, "Dir1", "music", true);
  EXPECT_EQ(dir1->path(), root_.toStdString());
  EXPECT_EQ(LastDir(), (root_ + "/photos").toStdString());
  EXPECT_THAT(StatusText(*form), HasSubstr("/music"));
  EXPECT_TRUE(messages_.empty());
}

// A drive chosen opens in the tree of its page; one that cannot be read is said so on the status
// line, and the list goes back to the drive shown before.
TEST_F(Form1Test, ADriveOpensInTheTreeOfItsPage) {
  const QStringList drives = MountedDrives();
  if (drives.size() < 2 || drives[0] != "/") GTEST_SKIP() << "one drive only";
  for (const auto& [tab, drive_name, tree_name, other_tree] :
       {std::tuple{"Directories", "Drive1", "Dir1", "Dir3"},
        std::tuple{"Files", "Drive2", "Dir3", "Dir1"}}) {
    SCOPED_TRACE(tab);
    MemoryFileSystem fs;
    fs.AddFolder("/photos");
    WindowState state;
    auto form = Open(&fs, "/gone", &state);  // a vanished LastDir: the current folder, "/"
    ClickTab(*form, tab);
    auto* drive = Find<QComboBox>(*form, drive_name);
    auto* tree = Find<DirectoryTreeList>(*form, tree_name);
    ClickRow(*form, tree_name, "photos", true);
    QTest::keyClick(drive, Qt::Key_Down);
    EXPECT_EQ(drive->currentText(), "/");
    EXPECT_EQ(tree->path(), "/photos");
    EXPECT_THAT(StatusText(*form), HasSubstr(drives[1].toStdString()));
    fs.AddFolder(drives[1].toStdString() + "/docs");
    QTest::keyClick(drive, Qt::Key_Down);
    EXPECT_EQ(drive->currentText(), drives[1]);
    EXPECT_EQ(tree->path(), drives[1].toStdString());
    EXPECT_TRUE(Rows(*form, tree_name).contains("docs"));
    EXPECT_EQ(Find<DirectoryTreeList>(*form, other_tree)->path(), "/");
  }
}

TEST_F(Form1Test, RenamesTheSelectedEntriesAndSaysWhichKeptTheirNames) {
  Make({"a b/", "c d/", "e f/", "plain/", "r s/", "c_d", "e_f"});
  auto form = Open();
  Click(*form, "Command5");  // Select All, then none of "r s"
  ClickRow(*form, "List1", "plain");
  QTest::keyClick(Find(*form, "List1"), Qt::Key_Down);
  QTest::keyClick(Find(*form, "List1"), Qt::Key_Space);
  ClickRow(*form, "List1", "plain");
  ClickTab(*form, "Replace");
  Click(*form, "Command10");
  EXPECT_EQ(messages_.at(0).text, messages::kFillRequiredFields);
  Type(*form, "Text8", " ");
  Type(*form, "Text7", "_");
  QTest::keyClick(Find(*form, "Command10"), Qt::Key_Return);
  EXPECT_EQ(Names(), (QStringList{"a_b", "c d", "c_d", "e f", "e_f", "plain", "r s"}));
  EXPECT_EQ(Rows(*form, "List1"), (QStringList{"a_b", "c d", "e f", "plain", "r s"}));
  EXPECT_TRUE(Rows(*form, "Dir1").contains("a_b"));
  const std::string why = form->last_report().entries[1].reason;
  EXPECT_THAT(StatusText(*form),
              StartsWith("Renamed 1 of 4 entries; 1 already had its new name; 2 kept "
                         "their names: 'c d' to 'c_d': " +
                         why + "; 'e f' to 'e_f': " + why + ". Undo takes back 1 entry in"));
}

// Help shows the guide in a window of its own, also where no program can open it; its contents
// lead to its sections; Help again brings back the one window, Escape or Quit closes it. A guide
// that is not there is said so.
TEST_F(Form1Test, HelpShowsTheGuideInAWindowThatFollowsItsLinksAndClosesOnEscapeOrQuit) {
  guide_ = (root_ + "/manual.htm").toStdString();
  Click(*Open(), "Command3");
  EXPECT_EQ(Shown("GuideWindow"), nullptr);
  EXPECT_EQ(messages_.at(0).text,
            "The user guide could not be opened: '" + guide_ + "': no such file");

  guide_ = KESTRO_GUIDE;
  opener_.answer = Status::Error(Status::Code::kIoError, "xdg-open cannot be started");
  auto form = Open();
  Click(*form, "Command3");
  QWidget* guide = Shown("GuideWindow");
  ASSERT_NE(guide, nullptr);
  auto* text = Find<QTextBrowser>(*guide, "GuideText");
  EXPECT_TRUE(text->toPlainText().contains(
      "A batch renamer: one operation, many names, one folder at a time."));
  const QTextDocument::FindFlags exact = QTextDocument::FindCaseSensitively;
  QTextCursor link = text->document()->find("Exit statuses and error lines", 0, exact);
  const QTextCursor heading = text->document()->find("Exit statuses and error lines", link, exact);
  link.setPosition(link.selectionStart() + 2);
  QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(link).center());
  EXPECT_GT(text->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(text->viewport()->rect().contains(text->cursorRect(heading).center()));
  Click(*form, "Command3");
  EXPECT_EQ(Shown("GuideWindow"), guide);
  QTest::keyClick(text, Qt::Key_Escape);
  EXPECT_EQ(Shown("GuideWindow"), nullptr);
  EXPECT_EQ(messages_.size(), 1u);
  Click(*form, "Command3");
  ASSERT_NE(Shown("GuideWindow"), nullptr);
  Click(*Shown("GuideWindow"), "OpenInBrowser");
  EXPECT_EQ(opener_.opened, std::vector<std::string>{KESTRO_GUIDE});
  EXPECT_EQ(messages_.back().text,
            "The user guide could not be opened: xdg-open cannot be started");
  Click(*form, "Command1");  // Quit, the guide with it
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Shown("GuideWindow"), nullptr);
}

// "Open in Browser" hands the launcher the guide's path and does not wait for it, yet says so when
// it ends finding no program for the guide (xdg-open's exit status 3); a launcher that opened it
// says nothing. A guide that is not there is not handed on.
TEST_F(Form1Test, OpenInBrowserSaysSoWhenNoProgramOpensTheGuide) {
  EXPECT_EQ(QtDocumentOpener("/bin/true").Open("/nonexistent/manual.htm").message(),
            "'/nonexistent/manual.htm': no such file");
  for (const int code : {3, 0}) {
    const QString launcher = root_ + QStringLiteral("/launcher%1.sh").arg(code);
    QFile script(launcher);
    ASSERT_TRUE(script.open(QFile::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nsleep 0.3\necho \"$1\" >\"$0.seen\"\nexit %1\n")
                     .arg(code)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QtDocumentOpener opener(launcher.toStdString());
    auto* guide = new GuideWindow(opener);
    ASSERT_TRUE(guide->Load(KESTRO_GUIDE).ok());
    guide->show();
    messages_.clear();
    Click(*guide, "OpenInBrowser");
    EXPECT_TRUE(messages_.empty());  // the window goes on meanwhile
    if (code == 0) {
      QTest::qWait(1500);
      EXPECT_TRUE(messages_.empty());
    } else {
      ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); }, 10000));
      EXPECT_EQ(messages_[0].text, "The user guide could not be opened: '" KESTRO_GUIDE
                                   "': no program to open it is installed (" +
                                       launcher.toStdString() + " ended with exit status 3)");
    }
    QFile seen(launcher + ".seen");
    ASSERT_TRUE(seen.open(QFile::ReadOnly));
    EXPECT_EQ(seen.readAll().trimmed(), KESTRO_GUIDE);
    guide->close();
  }
}

// A name may hold a control character: the status line writes it out, so it stays one line. A page
// on a folder that a directory batch renames follows it to its new name; one whose folder is gone
// otherwise shows the folder above it, says so, and counts none of its entries as done.
TEST_F(Form1Test, TheStatusLineWritesOutControlsAPageFollowsItsFolderAndAGoneOneRenamesNothing) {
  Make({"a\tb", "A\tB", "photos/", "photos/sub/", "photos/sub/a", "photos/sub/b", "docs/", "docs/c",
        "docs/d"});
  auto form = Open();
  ClickTab(*form, "Files");
  ClickRow(*form, "List2", "a\tb");
  ClickTab(*form, "Case");
  Click(*form, "uppercase");
  Click(*form, "Command10");
  EXPECT_THAT(StatusText(*form), HasSubstr("1 kept its name: 'a\\tb' to 'A\\tB': "));

  ClickRow(*form, "Dir3", "photos", /*twice=*/true);
  ClickRow(*form, "Dir3", "sub", /*twice=*/true);
  ClickTab(*form, "Directories");
  ClickRow(*form, "List1", "photos");
  Click(*form, "Command10");
  const std::string moved = (root_ + "/PHOTOS/sub").toStdString();
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir3")->path(), moved);
  EXPECT_EQ(LastDir(), moved);
  ClickTab(*form, "Files");
  EXPECT_EQ(Rows(*form, "List2"), (QStringList{"a", "b"}));

  ClickRow(*form, "Dir3", QDir(root_).dirName(), /*twice=*/true);
  ClickRow(*form, "Dir3", "docs", /*twice=*/true);
  Click(*form, "Command7");
  ASSERT_TRUE(QDir(root_ + "/docs").removeRecursively());  // another program
  Click(*form, "lowercase");
  Click(*form, "Command10");
  EXPECT_THAT(StatusText(*form), StartsWith("Renamed 0 of 2 entries; 2 kept their names: 'c': "));
  const std::string root = root_.toStdString();
  EXPECT_THAT(StatusText(*form),
              HasSubstr(" The folder '" + root + "/docs' is gone; the Files page shows '" + root +
                        "' instead."));
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir3")->path(), root_.toStdString());
}

// Each row: what a person does on a fresh window, then the example's new name. A word names a tab
// or a button to click; "field=text" types into a field.
TEST_F(Form1Test, EveryPageDrivesTheExample) {
  const std::pair<const char*, const char*> cases[] = {
      {"Option10", "(050399) Example directory"},
      {"Option2 Option5 Option12", "[0305] - Example directory"},
      {"Text4=X Text5=-", "(X) - Example directory"},
      {"Strip Text6=a1x", "xample directory"},
      {"Strip Text6=1 rightoption", "Example director"},
      {"Files Strip Text6=2 SmartCheck rightoption", "Example filena.ext"},
      {"Replace Command11", "Example_directory"},
      {"Replace Text8=E Text7=_", "_xampl_ dir_ctory"},
      {"Replace MatchCase Text8=E Text7=_", "_xample directory"},
      {"Replace RegexCheck Text8=^(\\w)(\\w+) Text7=$2\\U$1", "xampleE directory"},
      {"Replace RegexCheck MatchCase Text8=^e Text7=_", "Example directory"},
      {"Replace RegexCheck Command11", "Example_directory"},  // the presets mean what they did
      {"Case uppercase", "EXAMPLE DIRECTORY"},
      {"Extension Command15", "Example directory.bak"},
      {"Numbering sortleading sortlen sortlennum=4", "0001 - Example directory"},
      {"Numbering sortstartat sortstartatnum=7", "7 - Example directory"},
  };
  for (const auto& [steps, after] : cases) {
    SCOPED_TRACE(steps);
    WindowState state;
    auto form = Open(&disk_, root_.toStdString(), &state);
    for (const QString& step : QString(steps).split(' ')) {
      const std::string name = step.section('=', 0, 0).toStdString();
      if (step.contains('=')) {
        Type(*form, name.c_str(), step.section('=', 1));
      } else if (form->findChild<QAbstractButton*>(step) != nullptr) {
        Click(*form, name.c_str());
      } else {
        ClickTab(*form, step);
      }
    }
    EXPECT_EQ(After(*form), after);
  }
  auto form = Open();
  EXPECT_EQ(VisiblePages(*form), (QStringList{"dirs", "rename"}));
  EXPECT_EQ(After(*form), "(0305) Example directory");  // the date from the clock, as MMDD
  ClickTab(*form, "Files");
  ClickTab(*form, "Strip");
  QTest::keyClick(Find(*form, "TabStrip1"), Qt::Key_Right);  // an arrow key on a focused strip
  EXPECT_EQ(VisiblePages(*form), (QStringList{"files", "replace"}));
  EXPECT_EQ(Find<QLineEdit>(*form, "before")->text(), "Example filename.ext");
  // The strip count takes typed digits, two at most; Ctrl+V pastes nothing into it.
  QApplication::clipboard()->setText("9");
  ClickTab(*form, "Strip");
  Type(*form, "Text6", "1");
  QTest::keyClick(Find(*form, "Text6"), Qt::Key_V, Qt::ControlModifier);
  Type(*form, "Text6", "25");
  EXPECT_EQ(Find<QLineEdit>(*form, "Text6")->text(), "12");
}

// A pattern that does not compile marks field A and says why in the status line as it is typed;
// Rename! then refuses it before any rename. Mended, the mark and the line go.
TEST_F(Form1Test, ABadPatternIsMarkedAndRefusedBeforeAnyRename) {
  Make({"img_1/", "img_2/"});
  auto form = Open();
  Click(*form, "Command5");
  ClickTab(*form, "Replace");
  Click(*form, "RegexCheck");
  Type(*form, "Text8", "(img");
  const std::string why = "bad pattern '(img': missing closing parenthesis at offset 4";
  EXPECT_EQ(form->status_text().toStdString(), why);
  EXPECT_TRUE(Find(*form, "Text8")->property("patternProblem").toBool());
  Click(*form, "Command10");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, why);
  EXPECT_EQ(QApplication::focusWidget(), Find(*form, "Text8"));
  EXPECT_EQ(Names(), (QStringList{"img_1", "img_2"}));

  Type(*form, "Text8", ")_(\\d)");
  Type(*form, "Text7", "$2 $1");
  EXPECT_FALSE(Find(*form, "Text8")->property("patternProblem").toBool());
  EXPECT_EQ(form->status_text(), "");
  Click(*form, "Command10");
  EXPECT_EQ(Names(), (QStringList{"1 img", "2 img"}));
  EXPECT_EQ(messages_.size(), 1u);
}

TEST(DriveOfTest, TheLongestDriveThatIsTheFolderOrAFolderAboveIt) {
  const QStringList usual = {"/", "/home/ann", "/media/ann/USB", "/media/ann/USB2"};
  const std::tuple<QStringList, const char*, int> cases[] = {
      {usual, "/", 0},
      {usual, "/home/ann/photos", 1},
      {usual, "/home/anna", 0},
      {usual, "/media/ann/USB/a", 2},
      {{"/media/ann/USB", "/home/ann", "/"}, "/media/ann/USB/a", 0},
      {{"C:\\", "D:\\"}, "D:\\Tools", 1},
      {{"C:\\"}, "E:\\x", -1},
  };
  for (const auto& [drives, folder, drive] : cases)
    EXPECT_EQ(DriveOf(drives, folder), drive) << folder;
}

using WindowPlacement = WindowTest;

// At every pair of tabs, with the preview open, and in the About window (which the main window
// waits for); the main window is 8280 by 5568 twips (1/1440 inch) at any DPI, to a pixel. The
// leading zeros' caption is too long for one line: it wraps, is shown whole (there is ink on its
// second line), and a click there ticks the box.
TEST_F(WindowPlacement, EveryControlLiesInsideItsPageClearOfTheOthersAndIsShownWhole) {
  auto form = Open();
  const double dpi = ScreenDpi(*form);
  EXPECT_NEAR(form->width() * 1440 / dpi, 8280, 1440 / dpi);
  EXPECT_NEAR(form->height() * 1440 / dpi, 5568, 1440 / dpi);
  for (const char* target : {"Directories", "Files"}) {
    for (const char* operation : {"Rename", "Strip", "Replace", "Case", "Extension", "Numbering"}) {
      SCOPED_TRACE(std::string(target) + " " + operation);
      ClickTab(*form, target);
      ClickTab(*form, operation);
      ExpectLaidOut(*form);
    }
  }
  Click(*form, "PreviewToggle");
  ExpectLaidOut(*form);
  Click(*form, "Command4");  // About: the main window waits for it
  QWidget* about = Shown("frmAbout");
  ASSERT_NE(about, nullptr);
  ExpectLaidOut(*about);
  EXPECT_EQ(Find<QLabel>(*about, "Label3")->text(), "Kestrovane 1.0");
  EXPECT_FALSE(form->isEnabled());
  Click(*about, "Command1");
  EXPECT_TRUE(form->isEnabled());

  ClickTab(*form, "Numbering");
  auto* box = Find<QCheckBox>(*form, "sortleading");
  const int line = box->fontMetrics().height();
  EXPECT_GE(box->height(), box->heightForWidth(box->width()));
  ASSERT_GE(box->height(), 2 * line);
  const QImage shown = box->grab().toImage();
  int ink = 0;
  for (int y = line + 4; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) ink += qGray(shown.pixel(x, y)) < 128 ? 1 : 0;
  EXPECT_GT(ink, 20);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() - 4));
  EXPECT_TRUE(state_.numbering.sortleading);
}

TEST_F(WindowPlacement, AgainAt144Dpi) {
  RunAgainAtDpi("WindowPlacement.*-WindowPlacement.AgainAt144Dpi", 144);
}

}  // namespace
}  // namespace kestro::window_test
