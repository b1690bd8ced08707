// The main window used as a person would: on a real temporary folder, controls found by their
// names, driven by mouse clicks and keys; message boxes recorded instead of shown.
#include "ui/form1.h"
#include "ui/window_test_helpers.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "batch/pickers.h"
#include "engine/messages.h"
#include "platform/posix/posix_file_system.h"
#include "ui/directory_tree_list.h"
#include "ui/message_box.h"

// Readable QStrings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kestro {
namespace {

using window_test::Click;
using window_test::ClickTab;
using window_test::Find;

class RecordingOpener : public DocumentOpener {
 public:
  Status Open(const std::string& path) override {
    opened.push_back(path);
    return result;
  }
  std::vector<std::string> opened;
  Status result;
};

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    root_ = QDir(temp_.path()).canonicalPath();
    settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, root_.toStdString());
  }

  std::unique_ptr<Form1> Open(WindowState& state) {
    auto form = std::make_unique<Form1>(state, Form1Services{fs_, settings_, clock_, opener_});
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }
  std::unique_ptr<Form1> Open() { return Open(state_); }

  void MakeDir(const QString& relative) { ASSERT_TRUE(QDir(root_).mkpath(relative)); }
  void MakeFile(const QString& relative) {
    QFile file(root_ + "/" + relative);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  bool Exists(const QString& relative) const { return QFileInfo::exists(root_ + "/" + relative); }

  static QStringList Rows(const QAbstractItemView* view) {
    QStringList rows;
    for (int i = 0; i < view->model()->rowCount(); ++i) {
      rows << view->model()->index(i, 0).data().toString();
    }
    return rows;
  }
  static int RowOf(const QAbstractItemView* view, const QString& text) {
    return static_cast<int>(Rows(view).indexOf(text));
  }
  static void ClickRow(QAbstractItemView* view, const QString& text) {
    const int row = RowOf(view, text);
    ASSERT_GE(row, 0) << text.toStdString();
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  }
  static void DoubleClickRow(QAbstractItemView* view, const QString& text) {
    const int row = RowOf(view, text);
    ASSERT_GE(row, 0) << text.toStdString();
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    // As a window system delivers it: press, release, double-click press, release.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
  }
  static QString After(const QWidget& form) { return Find<QLineEdit>(form, "after")->text(); }

  QTemporaryDir temp_;
  QString root_;
  WindowState state_;
  PosixFileSystem fs_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{1999, 3, 5}};
  RecordingOpener opener_;
  std::vector<Message> messages_;
  ScopedMessageRecorder recorder_{[this](const Message& m) { messages_.push_back(m); }};
};

TEST_F(Form1Test, EveryControlCarriesItsDesignName) {
  auto form = Open();
  const char* names[] = {
      "TabStrip1",     "TabStrip2",      "dirs",        "files",     "rename",     "strip",
      "replace",       "selectcase",     "extensionf",  "sort",      "Frame2",     "before",
      "after",         "Command10",      "Command3",    "Command4",  "Command1",   "Drive1",
      "Dir1",          "List1",          "Command5",    "Command6",  "Drive2",     "Dir3",
      "List2",         "Command7",       "Command8",    "Frame8",    "Frame9",     "Frame4",
      "Frame6",        "Text2",          "Text3",       "Text4",     "Text5",      "Text6",
      "Text7",         "Text8",          "Label3",      "Label4",    "Label6",     "Label10",
      "Label7",        "Label11",        "Label1",      "Label8",    "leftoption", "rightoption",
      "SmartCheck",    "Frame1",         "Command11",   "Command12", "Command13",  "lowercase",
      "uppercase",     "sentence",       "extad",       "Frame3",    "Command15",  "Command16",
      "sortascending", "sortdescending", "sortleading", "sortlen",   "sortlennum", "sortstartat",
      "sortstartatnum"};
  for (const char* name : names) EXPECT_NE(form->findChild<QWidget*>(name), nullptr) << name;
  for (int i = 1; i <= 21; ++i) {
    const std::string name = "Option" + std::to_string(i);
    if (i >= 15 && i <= 17) continue;  // the design has no Option15 to Option17
    EXPECT_NE(form->findChild<QRadioButton*>(name.c_str()), nullptr) << name;
  }
  for (const char* never_shown : {"Command2", "Command9", "Dir2", "File1"}) {
    EXPECT_EQ(form->findChild<QWidget*>(never_shown), nullptr) << never_shown;
  }
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_EQ(form->windowTitle(), "Kestrovane");
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_TRUE(Find<QPushButton>(*form, "Command10")->font().bold());
  EXPECT_EQ(Find<QPushButton>(*form, "Command10")->text(), "Rename!");
  EXPECT_EQ(Find<QGroupBox>(*form, "Frame6")->title(), "Seperator");
  EXPECT_EQ(Find<QRadioButton>(*form, "Option13")->text(), " Nothing");
}

TEST_F(Form1Test, LoadsOnLastDirWithTheDesignState) {
  MakeDir("img10");
  MakeDir("img2");
  MakeDir(".hidden");
  MakeFile("b.txt");
  MakeFile("a.txt");
  auto form = Open();
  EXPECT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"img2", "img10"}));
  EXPECT_EQ(Rows(Find<QListView>(*form, "List2")), (QStringList{"a.txt", "b.txt"}));
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir1")->path(), root_.toStdString());
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir3")->path(), root_.toStdString());

  auto* operations = Find<QTabBar>(*form, "TabStrip1");
  ASSERT_EQ(operations->count(), 6);
  const QStringList captions = {"Rename", "Strip", "Replace", "Case", "Extension", "Numbering"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(operations->tabText(i), captions[i]);
  auto* targets = Find<QTabBar>(*form, "TabStrip2");
  ASSERT_EQ(targets->count(), 2);
  EXPECT_EQ(targets->tabText(0), "Directories");
  EXPECT_EQ(targets->tabText(1), "Files");
  EXPECT_EQ(operations->currentIndex(), 0);
  EXPECT_EQ(targets->currentIndex(), 0);

  EXPECT_TRUE(Find<QWidget>(*form, "rename")->isVisible());
  for (const char* page : {"strip", "replace", "selectcase", "extensionf", "sort", "files"}) {
    EXPECT_FALSE(Find<QWidget>(*form, page)->isVisible()) << page;
  }
  EXPECT_TRUE(Find<QWidget>(*form, "dirs")->isVisible());
  EXPECT_EQ(Find<QLineEdit>(*form, "before")->text(), "Example directory");
  EXPECT_TRUE(Find<QRadioButton>(*form, "Option7")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(*form, "Option1")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(*form, "Option6")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(*form, "Option13")->isChecked());
  EXPECT_EQ(After(*form), "(0305) Example directory");
  EXPECT_EQ(settings_.Get(kSettingsApplication, kSettingsSection, kLastDirKey, ""),
            root_.toStdString());
}

TEST_F(Form1Test, DateCaptionsComeFromTheClock) {
  auto form = Open();
  EXPECT_EQ(Find<QRadioButton>(*form, "Option10")->text(), "050399");
  EXPECT_EQ(Find<QRadioButton>(*form, "Option9")->text(), "030599");
  EXPECT_EQ(Find<QRadioButton>(*form, "Option8")->text(), "0503");
  EXPECT_EQ(Find<QRadioButton>(*form, "Option7")->text(), "0305");
  Click(*form, "Option10");
  EXPECT_EQ(After(*form), "(050399) Example directory");
}

TEST_F(Form1Test, ClickChoosesAFolderWithoutOpeningItAndIsRememberedAtTheNextStart) {
  MakeDir("photos/2019");
  MakeDir("photos/2020");
  MakeDir("music");
  MakeFile("photos/p.jpg");
  {
    auto form = Open();
    auto* dir1 = Find<DirectoryTreeList>(*form, "Dir1");
    ClickRow(dir1, "photos");
    EXPECT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"2019", "2020"}));
    EXPECT_EQ(dir1->path(), root_.toStdString());  // still open on its folder
    EXPECT_EQ(settings_.Get(kSettingsApplication, kSettingsSection, kLastDirKey, ""),
              (root_ + "/photos").toStdString());
    // The Files page is independent of it.
    EXPECT_TRUE(Rows(Find<QListView>(*form, "List2")).isEmpty());
  }
  WindowState next_start;
  auto form = Open(next_start);
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir1")->path(), (root_ + "/photos").toStdString());
  EXPECT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"2019", "2020"}));
  EXPECT_EQ(Rows(Find<QListView>(*form, "List2")), (QStringList{"p.jpg"}));
}

TEST_F(Form1Test, DoubleClickOpensAFolderAndAnAncestorCanBeChosen) {
  MakeDir("a/b/c");
  auto form = Open();
  auto* dir1 = Find<DirectoryTreeList>(*form, "Dir1");
  DoubleClickRow(dir1, "a");
  EXPECT_EQ(dir1->path(), (root_ + "/a").toStdString());
  EXPECT_GE(RowOf(dir1, "b"), 0);
  EXPECT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"b"}));
  // Clicking the folder above lists its sub-directories, the open one stays open.
  ClickRow(dir1, QDir(root_).dirName());
  EXPECT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"a"}));
  EXPECT_EQ(dir1->path(), (root_ + "/a").toStdString());
}

TEST_F(Form1Test, AVanishedFolderLeavesThePreviousOneInPlace) {
  MakeDir("keep/inner");
  MakeDir("gone");
  auto form = Open();
  auto* dir1 = Find<DirectoryTreeList>(*form, "Dir1");
  ClickRow(dir1, "keep");
  ASSERT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"inner"}));
  ASSERT_TRUE(QDir(root_ + "/gone").removeRecursively());
  ClickRow(dir1, "gone");
  EXPECT_EQ(Rows(Find<QListView>(*form, "List1")), (QStringList{"inner"}));
  EXPECT_EQ(state_.dirs_folder, (root_ + "/keep").toStdString());
  EXPECT_EQ(settings_.Get(kSettingsApplication, kSettingsSection, kLastDirKey, ""),
            (root_ + "/keep").toStdString());
  EXPECT_FALSE(form->status_text().isEmpty());
  EXPECT_TRUE(messages_.empty());
  // Opening it leaves the tree on its folder.
  DoubleClickRow(dir1, "gone");
  EXPECT_EQ(dir1->path(), root_.toStdString());
}

TEST_F(Form1Test, KeyboardInTheTreeChoosesWithArrowsAndOpensWithEnter) {
  MakeDir("a/x");
  MakeDir("b/y");
  auto form = Open();
  ClickTab(*form, "TabStrip2", "Files");
  MakeFile("b/file.txt");
  auto* dir3 = Find<DirectoryTreeList>(*form, "Dir3");
  ClickRow(dir3, "a");
  QTest::keyClick(dir3, Qt::Key_Down);
  EXPECT_EQ(state_.files_folder, (root_ + "/b").toStdString());
  EXPECT_EQ(Rows(Find<QListView>(*form, "List2")), (QStringList{"file.txt"}));
  QTest::keyClick(dir3, Qt::Key_Return);
  EXPECT_EQ(dir3->path(), (root_ + "/b").toStdString());
  EXPECT_GE(RowOf(dir3, "y"), 0);
  // The Directories page did not move.
  EXPECT_EQ(state_.dirs_folder, root_.toStdString());
}

TEST_F(Form1Test, AVanishedLastDirFallsBackToTheCurrentFolder) {
  settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, "/no/such/folder/here");
  auto form = Open();
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir1")->path(), QDir::currentPath().toStdString());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(Form1Test, RenamesSelectedFilesAndListsTheNewNames) {
  MakeFile("one.txt");
  MakeFile("two.txt");
  MakeFile("three.txt");
  auto form = Open();
  ClickTab(*form, "TabStrip2", "Files");
  EXPECT_FALSE(state_.TargetKind);
  EXPECT_EQ(Find<QLineEdit>(*form, "before")->text(), "Example filename.ext");
  EXPECT_TRUE(Find<QWidget>(*form, "files")->isVisible());
  EXPECT_FALSE(Find<QWidget>(*form, "dirs")->isVisible());

  auto* list2 = Find<QListView>(*form, "List2");
  EXPECT_EQ(Rows(list2), (QStringList{"one.txt", "three.txt", "two.txt"}));
  ClickRow(list2, "one.txt");
  ClickRow(list2, "two.txt");
  ClickTab(*form, "TabStrip1", "Case");
  EXPECT_EQ(state_.active_operation, ActiveOperation::Case);
  EXPECT_TRUE(Find<QWidget>(*form, "selectcase")->isVisible());
  EXPECT_FALSE(Find<QWidget>(*form, "rename")->isVisible());
  Click(*form, "uppercase");
  EXPECT_EQ(After(*form), "EXAMPLE FILENAME.EXT");

  Click(*form, "Command10");
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(Exists("ONE.TXT"));
  EXPECT_TRUE(Exists("TWO.TXT"));
  EXPECT_TRUE(Exists("three.txt"));
  EXPECT_EQ(Rows(list2), (QStringList{"ONE.TXT", "three.txt", "TWO.TXT"}));
  EXPECT_EQ(state_.List2.SelectedCount(), 0u);
  EXPECT_EQ(form->status_text(), "Renamed 2 of 2 entries.");
}

TEST_F(Form1Test, RenamesSelectedDirectoriesByTypedReplaceAndEnterOnRename) {
  MakeDir("my folder");
  MakeDir("other one");
  MakeFile("taken_name");
  MakeDir("taken name");
  auto form = Open();
  ClickRow(Find<QListView>(*form, "List1"), "my folder");
  ClickRow(Find<QListView>(*form, "List1"), "taken name");
  ClickTab(*form, "TabStrip1", "Replace");
  auto* a = Find<QLineEdit>(*form, "Text8");
  auto* b = Find<QLineEdit>(*form, "Text7");
  QTest::keyClicks(a, " ");
  EXPECT_EQ(After(*form), "Exampledirectory");
  QTest::keyClicks(b, "_");
  EXPECT_EQ(After(*form), "Example_directory");

  auto* rename = Find<QPushButton>(*form, "Command10");
  rename->setFocus();
  QTest::keyClick(rename, Qt::Key_Return);
  EXPECT_TRUE(Exists("my_folder"));
  EXPECT_TRUE(Exists("taken name"));  // its new name was taken: kept, and said so
  EXPECT_EQ(Rows(Find<QListView>(*form, "List1")),
            (QStringList{"my_folder", "other one", "taken name"}));
  EXPECT_GE(RowOf(Find<DirectoryTreeList>(*form, "Dir1"), "my_folder"), 0);
  EXPECT_EQ(RowOf(Find<DirectoryTreeList>(*form, "Dir1"), "my folder"), -1);
  EXPECT_TRUE(form->status_text().startsWith(
      "Renamed 1 of 2 entries; 1 kept its name: 'taken name' to 'taken_name': "))
      << form->status_text().toStdString();
}

TEST_F(Form1Test, InputChecksShowTheirMessages) {
  MakeDir("d");
  MakeFile("f");
  auto form = Open();
  Click(*form, "Command10");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, messages::kSelectDirectories);
  EXPECT_EQ(messages_[0].title, messages::kErrorTitle);
  EXPECT_EQ(messages_[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(form->status_text(), "");

  ClickTab(*form, "TabStrip2", "Files");
  Click(*form, "Command10");
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1].text, messages::kSelectFiles);

  ClickRow(Find<QListView>(*form, "List2"), "f");
  ClickTab(*form, "TabStrip1", "Replace");
  Click(*form, "Command10");
  ASSERT_EQ(messages_.size(), 3u);
  EXPECT_EQ(messages_[2].text, messages::kFillRequiredFields);
  EXPECT_TRUE(Exists("f"));
}

TEST_F(Form1Test, StripCountTakesOnlyTypedDigits) {
  auto form = Open();
  ClickTab(*form, "TabStrip1", "Strip");
  EXPECT_EQ(state_.active_operation, ActiveOperation::Strip);
  auto* text6 = Find<QLineEdit>(*form, "Text6");
  QTest::keyClicks(text6, "a1x");
  EXPECT_EQ(text6->text(), "1");
  EXPECT_EQ(After(*form), "xample directory");
  QTest::keyClick(text6, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClicks(text6, "25");
  EXPECT_EQ(text6->text(), "12");  // at most two characters
  EXPECT_EQ(After(*form), "ctory");
  QTest::keyClick(text6, Qt::Key_Backspace);
  EXPECT_EQ(text6->text(), "1");
  Click(*form, "rightoption");
  EXPECT_EQ(After(*form), "Example director");
}

TEST_F(Form1Test, PresetsFillTheirFields) {
  auto form = Open();
  ClickTab(*form, "TabStrip1", "Replace");
  auto* a = Find<QLineEdit>(*form, "Text8");
  auto* b = Find<QLineEdit>(*form, "Text7");
  Click(*form, "Command11");
  EXPECT_EQ(a->text(), " ");
  EXPECT_EQ(b->text(), "_");
  EXPECT_EQ(After(*form), "Example_directory");
  Click(*form, "Command12");
  EXPECT_EQ(a->text(), "_");
  EXPECT_EQ(b->text(), " ");
  Click(*form, "Command13");
  EXPECT_EQ(a->text(), " ");
  EXPECT_EQ(b->text(), "");
  EXPECT_EQ(After(*form), "Exampledirectory");

  ClickTab(*form, "TabStrip1", "Extension");
  auto* extad = Find<QLineEdit>(*form, "extad");
  Click(*form, "Command15");
  EXPECT_EQ(extad->text(), ".bak");
  EXPECT_EQ(state_.extad, ".bak");
  EXPECT_EQ(After(*form), "Example directory.bak");
  Click(*form, "Command16");
  EXPECT_EQ(extad->text(), ".old");
  EXPECT_EQ(After(*form), "Example directory.old");
}

TEST_F(Form1Test, SmartFileModeOnlyOnTheFilesTab) {
  auto form = Open();
  ClickTab(*form, "TabStrip1", "Strip");
  auto* smart = Find<QCheckBox>(*form, "SmartCheck");
  Click(*form, "SmartCheck");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "Error! This mode only works on files!");
  EXPECT_EQ(messages_[0].title, "Error!");
  EXPECT_EQ(messages_[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(smart->isChecked());
  EXPECT_FALSE(state_.SmartCheck);

  ClickTab(*form, "TabStrip2", "Files");
  Click(*form, "SmartCheck");
  EXPECT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(smart->isChecked());
  EXPECT_TRUE(state_.SmartCheck);

  ClickTab(*form, "TabStrip2", "Directories");
  EXPECT_FALSE(smart->isChecked());
  EXPECT_FALSE(state_.SmartCheck);
  EXPECT_EQ(Find<QLineEdit>(*form, "before")->text(), "Example directory");
  EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(Form1Test, CustomFieldChoosesItsOptionWhenAKeyIsReleased) {
  auto form = Open();
  auto* text4 = Find<QLineEdit>(*form, "Text4");
  QTest::keyClicks(text4, "X");
  EXPECT_TRUE(Find<QRadioButton>(*form, "Option11")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>(*form, "Option7")->isChecked());
  EXPECT_EQ(After(*form), "(X) Example directory");

  // Set without a key (as a mouse paste does): the option stays, the example follows only when
  // the field loses the focus.
  auto* text2 = Find<QLineEdit>(*form, "Text2");
  text2->setText("<<");
  EXPECT_TRUE(Find<QRadioButton>(*form, "Option1")->isChecked());
  QTest::keyClicks(Find<QLineEdit>(*form, "Text5"), "-");
  EXPECT_EQ(After(*form), "(X) - Example directory");
  QTest::keyClicks(text2, "[");
  EXPECT_EQ(After(*form), "<<[X) - Example directory");
}

TEST_F(Form1Test, LeadingZerosEnablesDigitLengthAndKeepsItsState) {
  auto form = Open();
  ClickTab(*form, "TabStrip1", "Numbering");
  auto* length = Find<QCheckBox>(*form, "sortlen");
  auto* digits = Find<QLineEdit>(*form, "sortlennum");
  EXPECT_FALSE(length->isEnabled());
  EXPECT_FALSE(digits->isEnabled());
  EXPECT_EQ(digits->maxLength(), 1);
  Click(*form, "sortleading");
  EXPECT_TRUE(length->isEnabled());
  EXPECT_TRUE(digits->isEnabled());
  Click(*form, "sortlen");
  QTest::keyClicks(digits, "4");
  EXPECT_EQ(After(*form), "0001 - Example directory");
  Click(*form, "sortleading");
  EXPECT_FALSE(length->isEnabled());
  EXPECT_TRUE(length->isChecked());
  EXPECT_EQ(digits->text(), "4");
}

TEST_F(Form1Test, FieldLimits) {
  auto form = Open();
  EXPECT_EQ(Find<QLineEdit>(*form, "Text6")->maxLength(), 2);
  for (const char* name : {"Text2", "Text3", "Text5"}) {
    EXPECT_EQ(Find<QLineEdit>(*form, name)->maxLength(), 5) << name;
  }
  EXPECT_TRUE(Find<QLineEdit>(*form, "before")->isReadOnly());
  EXPECT_TRUE(Find<QLineEdit>(*form, "after")->isReadOnly());
}

TEST_F(Form1Test, SelectAllAndNone) {
  MakeDir("x");
  MakeDir("y");
  auto form = Open();
  Click(*form, "Command5");
  EXPECT_EQ(state_.List1.SelectedCount(), 2u);
  Click(*form, "Command6");
  EXPECT_EQ(state_.List1.SelectedCount(), 0u);
  ClickTab(*form, "TabStrip2", "Files");
  Click(*form, "Command7");  // empty list: nothing to do
  EXPECT_EQ(state_.List2.SelectedCount(), 0u);
}

TEST_F(Form1Test, ArrowKeysOnAFocusedTabStripSwitchTabs) {
  auto form = Open();
  auto* operations = Find<QTabBar>(*form, "TabStrip1");
  QTest::keyClick(operations, Qt::Key_Right);
  EXPECT_EQ(operations->currentIndex(), 1);
  EXPECT_EQ(state_.active_operation, ActiveOperation::Strip);
  EXPECT_TRUE(Find<QWidget>(*form, "strip")->isVisible());
  auto* targets = Find<QTabBar>(*form, "TabStrip2");
  QTest::keyClick(targets, Qt::Key_Right);
  EXPECT_FALSE(state_.TargetKind);
}

TEST_F(Form1Test, TabVisitsTheControlsInReadingOrder) {
  auto form = Open();
  QApplication::setActiveWindow(form.get());
  auto* targets = Find<QTabBar>(*form, "TabStrip2");
  targets->setFocus();
  std::vector<QString> visited;
  for (int i = 0; i < 80 && visited.size() < 80; ++i) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) break;
    visited.push_back(focus->objectName());
    if (visited.size() > 1 && focus == targets) break;
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  auto position = [&visited](const char* name) {
    for (std::size_t i = 0; i < visited.size(); ++i) {
      if (visited[i] == name) return static_cast<int>(i);
    }
    return -1;
  };
  const char* order[] = {"TabStrip2", "Drive1",    "Dir1",     "List1",    "Command5", "Command6",
                         "TabStrip1", "Text2",     "Text4",    "Text3",    "Text5",    "before",
                         "after",     "Command10", "Command3", "Command4", "Command1"};
  int last = -1;
  for (const char* name : order) {
    const int at = position(name);
    EXPECT_GT(at, last) << name;
    last = at;
  }
}

TEST_F(Form1Test, AboutDisablesTheMainWindowUntilItCloses) {
  auto form = Open();
  auto find_about = [] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == "frmAbout" && w->isVisible()) return w;
    }
    return static_cast<QWidget*>(nullptr);
  };
  Click(*form, "Command4");
  QWidget* about = find_about();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->parentWidget(), nullptr);
  EXPECT_EQ(about->windowTitle(), "About Kestrovane");
  auto* label = Find<QLabel>(*about, "Label3");
  EXPECT_EQ(label->text(), "Kestrovane 1.0");
  EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 13.8);
  EXPECT_FALSE(form->isEnabled());
  Click(*about, "Command1");
  EXPECT_TRUE(form->isEnabled());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(find_about(), nullptr);

  // Closed by its close box.
  Click(*form, "Command4");
  about = find_about();
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(form->isEnabled());
  about->close();
  EXPECT_TRUE(form->isEnabled());
}

TEST_F(Form1Test, HelpOpensTheUserGuideAndReportsAFailure) {
  auto form = Open();
  Click(*form, "Command3");
  ASSERT_EQ(opener_.opened.size(), 1u);
  EXPECT_NE(opener_.opened[0].find("manual.htm"), std::string::npos);
  EXPECT_TRUE(messages_.empty());

  opener_.result = Status::Error(Status::Code::kIoError, "xdg-open cannot be started");
  Click(*form, "Command3");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "The user guide could not be opened: xdg-open cannot be started");
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isEnabled());
}

TEST_F(Form1Test, QuitClosesTheWindow) {
  auto form = Open();
  Click(*form, "Command1");
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Test, HundredThousandFilesListSelectAndRename) {
  const int kCount = 100000;
  MakeDir("many");
  for (int i = 0; i < kCount; ++i) {
    const QByteArray path = QFile::encodeName(root_ + "/many/f" + QString::number(i) + ".txt");
    std::FILE* file = std::fopen(path.constData(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
  }
  auto form = Open();
  ClickTab(*form, "TabStrip2", "Files");
  auto* dir3 = Find<DirectoryTreeList>(*form, "Dir3");
  auto* list2 = Find<QListView>(*form, "List2");

  QElapsedTimer timer;
  timer.start();
  ClickRow(dir3, "many");
  QApplication::processEvents();
  const qint64 list_ms = timer.elapsed();
  ASSERT_EQ(list2->model()->rowCount(), kCount);
  EXPECT_EQ(list2->model()->index(2, 0).data().toString(), "f2.txt");

  timer.restart();
  Click(*form, "Command7");
  QApplication::processEvents();
  const qint64 select_ms = timer.elapsed();
  EXPECT_EQ(state_.List2.SelectedCount(), static_cast<std::size_t>(kCount));

  ClickTab(*form, "TabStrip1", "Extension");
  QTest::keyClicks(Find<QLineEdit>(*form, "extad"), ".b");
  timer.restart();
  Click(*form, "Command10");
  QApplication::processEvents();
  const qint64 rename_ms = timer.elapsed();
  EXPECT_EQ(list2->model()->rowCount(), kCount);
  EXPECT_TRUE(Exists("many/f99999.txt.b"));
  EXPECT_EQ(form->status_text(), "Renamed 100000 of 100000 entries.");
  std::printf("[ timing ] %d files: listed in %lld ms, Select All %lld ms, Rename! %lld ms\n",
              kCount, static_cast<long long>(list_ms), static_cast<long long>(select_ms),
              static_cast<long long>(rename_ms));
}

}  // namespace
}  // namespace kestro
