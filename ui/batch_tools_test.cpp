// The main window's outcome preview, Undo and progress dialog, used as a person would: controls
// found by their names, clicks and keys, real temporary folders, and a slow in-memory folder
// for a batch long enough to show its progress.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "batch/pickers.h"
#include "platform/memory_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "ui/form1.h"
#include "ui/message_box.h"
#include "ui/preview_panel.h"
#include "ui/window_test_helpers.h"

namespace kestro {
namespace {

using window_test::Click;
using window_test::ClickTab;
using window_test::Find;

class NoOpener : public DocumentOpener {
 public:
  Status Open(const std::string&) override { return Status::Ok(); }
};

class BatchToolsTest : public ::testing::Test {
 protected:
  std::unique_ptr<Form1> Open(FileSystem& fs, const std::string& folder) {
    settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, folder);
    auto form = std::make_unique<Form1>(state_, Form1Services{fs, settings_, clock_, opener_});
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }
  // Files page, every file selected, the Extension page with `extension` typed in.
  static void SelectAllFilesAndAppend(const QWidget& form, const QString& extension) {
    ClickTab(form, "TabStrip2", "Files");
    Click(form, "Command7");
    ClickTab(form, "TabStrip1", "Extension");
    QTest::keyClicks(Find<QLineEdit>(form, "extad"), extension);
  }
  // The preview once it has caught up with the last change.
  static const OutcomePreview& Settled(const QWidget& form) {
    auto* panel = Find<OutcomePreviewPanel>(form, "OutcomePreview");
    EXPECT_TRUE(QTest::qWaitFor([panel] { return !panel->pending(); }, 10000));
    static const OutcomePreview kNone;
    return panel->preview() != nullptr ? *panel->preview() : kNone;
  }
  static QStringList Column(const QWidget& form, int column) {
    auto* view = Find<QAbstractItemView>(form, "OutcomePreviewList");
    QStringList rows;
    for (int i = 0; i < view->model()->rowCount(); ++i)
      rows << view->model()->index(i, column).data().toString();
    return rows;
  }

  WindowState state_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  NoOpener opener_;
  std::vector<Message> messages_;
  ScopedMessageRecorder recorder_{[this](const Message& m) { messages_.push_back(m); }};
};

class OnDisk : public BatchToolsTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    root_ = QDir(temp_.path()).canonicalPath();
  }
  void MakeFile(const QString& name) {
    QFile file(root_ + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QStringList Names() const {
    return QDir(root_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                 QDir::Name);
  }
  std::unique_ptr<Form1> Open() { return BatchToolsTest::Open(fs_, root_.toStdString()); }

  QTemporaryDir temp_;
  QString root_;
  PosixFileSystem fs_;
};

TEST_F(OnDisk, PreviewFollowsEveryEditAndRenameDoesWhatItShowed) {
  MakeFile("a.txt");
  MakeFile("b.txt");
  MakeFile("c.txt");
  ASSERT_TRUE(QDir(root_).mkdir("b.txt.bak"));  // a directory holds b's new name
  auto form = Open();
  const int narrow = form->width();
  auto* toggle = Find<QPushButton>(*form, "PreviewToggle");
  Click(*form, "PreviewToggle");
  EXPECT_TRUE(toggle->isChecked());
  EXPECT_GT(form->width(), narrow);
  EXPECT_TRUE(Find<QWidget>(*form, "OutcomePreview")->isVisible());

  SelectAllFilesAndAppend(*form, ".ba");
  Settled(*form);
  EXPECT_EQ(Column(*form, 1), (QStringList{"a.txt.ba", "b.txt.ba", "c.txt.ba"}));
  QTest::keyClicks(Find<QLineEdit>(*form, "extad"), "k");
  const OutcomePreview& preview = Settled(*form);
  EXPECT_EQ(Column(*form, 1), (QStringList{"a.txt.bak", "b.txt.bak", "c.txt.bak"}));
  ASSERT_EQ(preview.rows.size(), 3u);
  EXPECT_EQ(preview.rows[1].why, PreviewRow::Why::kTakenByPresent);
  EXPECT_EQ(Column(*form, 2).at(1), "kept: name taken in the folder");
  EXPECT_EQ(Find<OutcomePreviewPanel>(*form, "OutcomePreview")->summary(),
            "2 of 3 renamed, 1 keeps its name.");
  const std::vector<PreviewRow> shown = preview.rows;

  Click(*form, "Command10");
  const BatchReport& report = form->last_report();
  ASSERT_EQ(report.entries.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(report.entries[i].kind, shown[i].outcome.kind) << i;
    EXPECT_EQ(report.entries[i].new_name, shown[i].outcome.new_name) << i;
  }
  EXPECT_EQ(Names(), (QStringList{"a.txt.bak", "b.txt", "b.txt.bak", "c.txt.bak"}));
  // After the batch nothing is selected: the preview says what "Rename!" would say now.
  Settled(*form);
  EXPECT_EQ(Find<OutcomePreviewPanel>(*form, "OutcomePreview")->summary(),
            "\"Rename!\" would stop with: You need to select some files to process!");
  EXPECT_TRUE(messages_.empty());

  Click(*form, "PreviewToggle");
  EXPECT_EQ(form->width(), narrow);
}

// Another folder: its own names, read anew, decide what is taken.
TEST_F(OnDisk, PreviewFollowsTheChosenFolderAndItsNames) {
  MakeFile("y");
  ASSERT_TRUE(QDir(root_).mkpath("sub/y.bak"));
  MakeFile("sub/x");
  MakeFile("sub/y");
  auto form = Open();
  Click(*form, "PreviewToggle");
  SelectAllFilesAndAppend(*form, ".bak");
  Settled(*form);
  EXPECT_EQ(Column(*form, 2), (QStringList{"renamed"}));  // "y" in the first folder

  auto* dir3 = Find<QAbstractItemView>(*form, "Dir3");
  const QModelIndexList sub = dir3->model()->match(dir3->model()->index(0, 0), Qt::DisplayRole,
                                                   "sub", 1, Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(sub.size(), 1);
  dir3->scrollTo(sub[0]);
  QTest::mouseClick(dir3->viewport(), Qt::LeftButton, {}, dir3->visualRect(sub[0]).center());
  Settled(*form);
  EXPECT_EQ(Find<OutcomePreviewPanel>(*form, "OutcomePreview")->summary(),
            "\"Rename!\" would stop with: You need to select some files to process!");
  Click(*form, "Command7");
  Settled(*form);
  EXPECT_EQ(Column(*form, 0), (QStringList{"x", "y"}));
  EXPECT_EQ(Column(*form, 2), (QStringList{"renamed", "kept: name taken in the folder"}));
}

TEST_F(OnDisk, ATextSetWithoutAKeyStillReachesThePreview) {
  MakeFile("a.txt");
  auto form = Open();
  Click(*form, "PreviewToggle");
  ClickTab(*form, "TabStrip2", "Files");
  Click(*form, "Command7");
  ClickTab(*form, "TabStrip1", "Rename");
  Click(*form, "Option11");  // custom text in the middle of the prefix
  Settled(*form);
  Find<QLineEdit>(*form, "Text4")->setText("Trip");  // as a mouse paste would: no key
  Settled(*form);
  ASSERT_EQ(Column(*form, 1).size(), 1);
  EXPECT_TRUE(Column(*form, 1).at(0).contains("Trip")) << Column(*form, 1).at(0).toStdString();
}

TEST_F(OnDisk, UndoByButtonAndByCtrlZGivesTheOldNamesBack) {
  MakeFile("one");
  MakeFile("two");
  MakeFile("three");
  auto form = Open();
  auto* undo = Find<QPushButton>(*form, "Undo");
  EXPECT_FALSE(undo->isEnabled());

  SelectAllFilesAndAppend(*form, ".x");
  Click(*form, "Command10");
  EXPECT_EQ(Names(), (QStringList{"one.x", "three.x", "two.x"}));
  ASSERT_TRUE(undo->isEnabled());
  Click(*form, "Undo");
  EXPECT_EQ(Names(), (QStringList{"one", "three", "two"}));
  EXPECT_EQ(form->status_text(), "Undo: 3 of 3 entries have their old names back.");
  EXPECT_EQ(state_.List2.entries(), (std::vector<std::string>{"one", "three", "two"}));
  EXPECT_FALSE(undo->isEnabled());

  // Again, and this time one old name is taken meanwhile; Ctrl+Z from the list.
  Click(*form, "Command7");
  Click(*form, "Command10");
  MakeFile("two");
  auto* list2 = Find<QListView>(*form, "List2");
  QApplication::setActiveWindow(form.get());
  list2->setFocus();
  QTest::keyClick(list2, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Names(), (QStringList{"one", "three", "two", "two.x"}));
  EXPECT_EQ(form->status_text(),
            "Undo: 2 of 3 entries have their old names back; 1 could not go back: 'two.x' to "
            "'two': a file of that name exists.");
  // Nothing left to undo: a second Ctrl+Z changes nothing.
  QTest::keyClick(list2, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Names(), (QStringList{"one", "three", "two", "two.x"}));
}

TEST_F(BatchToolsTest, ALongBatchShowsItsProgressAndCancelStopsIt) {
  constexpr int kFiles = 300;
  MemoryFileSystem fs;
  for (int i = 0; i < kFiles; ++i) fs.AddFile("/photos", "p" + std::to_string(1000 + i));
  auto form = Open(fs, "/photos");
  SelectAllFilesAndAppend(*form, ".b");
  fs.SetBeforeRename([] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });

  QPointer<QProgressDialog> seen;
  QString seen_name;
  int seen_maximum = 0;
  std::size_t renamed_when_seen = 0;
  QTimer watch;
  watch.setInterval(10);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    // The window takes no input while the dialog is up: it is the active modal widget.
    auto* modal = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (modal == nullptr || !modal->isVisible()) return;
    if (seen == nullptr) {
      seen = modal;
      seen_name = modal->objectName();
      seen_maximum = modal->maximum();
      renamed_when_seen = fs.rename_calls().size();
      // A change made now does not reach the running batch.
      Find<QLineEdit>(*form, "extad")->setText(".c");
      return;
    }
    watch.stop();
    auto* cancel = modal->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton, {}, cancel->rect().center());
  });
  watch.start();
  Click(*form, "Command10");
  watch.stop();

  EXPECT_EQ(seen_name, "BatchProgress") << "no progress dialog";
  EXPECT_EQ(seen_maximum, kFiles);
  EXPECT_EQ(seen, nullptr) << "the dialog outlived its batch";
  const BatchReport& report = form->last_report();
  EXPECT_TRUE(report.cancelled);
  EXPECT_GE(report.entries.size(), renamed_when_seen);
  EXPECT_LT(report.entries.size(), static_cast<std::size_t>(kFiles));
  EXPECT_EQ(fs.rename_calls().size(), report.entries.size());
  for (const EntryOutcome& entry : report.entries) {
    EXPECT_EQ(entry.kind, EntryOutcome::Kind::kDone);
    EXPECT_EQ(entry.new_name, entry.old_name + ".b");
  }
  const QString done = QString::number(report.entries.size());
  EXPECT_EQ(form->status_text(),
            "Renamed " + done + " of " + done + " entries. Stopped before the end.");

  fs.SetBeforeRename({});
  Click(*form, "Undo");
  std::vector<std::string> names = fs.AllNames("/photos");
  ASSERT_EQ(names.size(), static_cast<std::size_t>(kFiles));
  for (const std::string& name : names) EXPECT_EQ(name.size(), 5u) << name;
}

TEST_F(BatchToolsTest, AShortBatchShowsNoProgress) {
  MemoryFileSystem fs;
  for (int i = 0; i < 20; ++i) fs.AddFile("/photos", "p" + std::to_string(i));
  auto form = Open(fs, "/photos");
  SelectAllFilesAndAppend(*form, ".b");
  Click(*form, "Command10");
  EXPECT_EQ(form->last_report().Count(EntryOutcome::Kind::kDone), 20u);
  auto* dialog = form->findChild<QProgressDialog*>("BatchProgress");
  EXPECT_TRUE(dialog == nullptr || !dialog->isVisible());
}

// How long an edit keeps the window busy with the preview open on 100,000 selected files, and
// how long the preview then takes to come up to date (printed, not asserted).
TEST_F(BatchToolsTest, HundredThousandSelectedFilesPreviewWhileTheWindowAnswers) {
  constexpr int kFiles = 100000;
  MemoryFileSystem fs;
  for (int i = 0; i < kFiles; ++i) fs.AddFile("/photos", "photo " + std::to_string(100000 + i));
  auto form = Open(fs, "/photos");
  Click(*form, "PreviewToggle");
  SelectAllFilesAndAppend(*form, ".b");
  ASSERT_EQ(Settled(*form).rows.size(), static_cast<std::size_t>(kFiles));

  auto* extad = Find<QLineEdit>(*form, "extad");
  QElapsedTimer timer;
  timer.start();
  QTest::keyClick(extad, Qt::Key_K);
  QApplication::processEvents();  // the preview's request goes out here
  const qint64 answer_ms = timer.elapsed();
  const OutcomePreview& preview = Settled(*form);
  const qint64 settled_ms = timer.elapsed();
  ASSERT_EQ(preview.rows.size(), static_cast<std::size_t>(kFiles));
  EXPECT_EQ(preview.rows.back().outcome.new_name, "photo 199999.bk");
  EXPECT_EQ(Column(*form, 1).at(0), "photo 100000.bk");
  std::printf(
      "[ timing ] %d selected files: an edit answers in %lld ms, preview up to date in "
      "%lld ms\n",
      kFiles, static_cast<long long>(answer_ms), static_cast<long long>(settled_ms));
}

}  // namespace
}  // namespace kestro
