// The main window's outcome preview, Undo and progress dialog, used as a person would: on real
// temporary folders, and on a slow in-memory folder for a batch long enough to show its progress.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <chrono>
#include <sstream>
#include <thread>

#include "batch/form1_design.h"
#include "cli/headless.h"
#include "engine/messages.h"
#include "platform/memory_file_system.h"
#include "platform/test_photos.h"
#include "ui/preview_panel.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

class BatchToolsTest : public WindowTest {
 protected:
  static void SelectAllFiles(const QWidget& form) {
    ClickTab(form, "Files");
    Click(form, "Command7");
  }
  static void SelectAllFilesAndAppend(const QWidget& form, const QString& extension) {
    SelectAllFiles(form);
    ClickTab(form, "Extension");
    Type(form, "extad", extension);
  }
  // The preview's summary once the preview has caught up with the last change.
  static QString Settled(const QWidget& form) {
    auto* panel = Find<OutcomePreviewPanel>(form, "OutcomePreview");
    EXPECT_TRUE(QTest::qWaitFor([panel] { return !panel->pending(); }, 30000));
    return Find<QLabel>(form, kPreviewSummaryName)->text();
  }
  static constexpr char kNothingSelected[] =
      "\"Rename!\" would stop with: You need to select some files to process!";
};

// The date prefixes take each photo's own date once "Date taken" is chosen: the Example shows the
// sample's (today), the preview each entry's date or why it has none, before anything runs.
TEST_F(BatchToolsTest, TheDateChoiceGivesEachEntryItsOwnDate) {
  MemoryFileSystem fs;
  fs.AddFile("/photos", "a.jpg", testing::JpegTakenAt("2024:05:01 09:08:07"));
  fs.AddFile("/photos", "b.txt", "no photo");
  auto form = Open(&fs, "/photos");
  Click(*form, "PreviewToggle");
  SelectAllFiles(*form);
  ClickTab(*form, "Rename");
  EXPECT_EQ(Settled(*form), "2 of 2 would be renamed.");
  auto* choice = Find<QComboBox>(*form, "DateChoice");
  choice->setFocus();
  QTest::keyClick(choice, Qt::Key_Down);
  EXPECT_EQ(choice->currentText(), "Date taken");
  EXPECT_EQ(state_.common_style.date_choice, DateChoice::Taken);
  EXPECT_EQ(After(*form), "(0305) Example filename.ext");
  EXPECT_EQ(Settled(*form), "1 of 2 would be renamed, 1 would keep its name.");
  EXPECT_EQ(Rows(*form, kPreviewListName, 1), (QStringList{"(0501) a.jpg", ""}));
  EXPECT_EQ(Rows(*form, kPreviewListName, 2),
            (QStringList{"will be renamed", "would keep its name: it holds no date taken"}));
  EXPECT_EQ(Rows(*form, kPreviewListName, 3),
            (QStringList{"2024-05-01 09:08:07", "it holds no date taken"}));
  Click(*form, "Command10");
  EXPECT_EQ(fs.AllNames("/photos"), (std::vector<std::string>{"(0501) a.jpg", "b.txt"}));
}

TEST_F(BatchToolsTest, PreviewFollowsEveryChangeRenameDoesWhatItShowedAndUndoTakesItBack) {
  // A long name, taken by a folder beside it; its row is cut in the middle, its tooltip is whole.
  const QString kLong = "Brittany 2024, day 3\tthe lighthouse at Ploumanac'h from the coast path";
  Make({kLong, kLong + ".ba/", "sub/y.bak/", "sub/x", "sub/y"});
  auto form = Open();
  EXPECT_FALSE(Find(*form, "Undo")->isEnabled());
  const int narrow = form->width();
  Click(*form, "PreviewToggle");
  EXPECT_GT(form->width(), narrow);
  SelectAllFilesAndAppend(*form, ".ba");
  EXPECT_EQ(Settled(*form), "0 of 1 would be renamed, 1 would keep its name.");
  const QString shown = QString(kLong).replace('\t', "\\t");
  EXPECT_EQ(Rows(*form, kPreviewListName, 2, Qt::ToolTipRole).value(0),
            "Old name: " + shown + "\nNew name: " + shown + ".ba\nwould keep its name: '" + shown +
                ".ba' in the folder has this name");
  ClickRow(*form, "Dir3", "sub");  // another folder: its own names decide what is taken
  EXPECT_EQ(Settled(*form), kNothingSelected);
  Click(*form, "Command7");
  EXPECT_EQ(Settled(*form), "2 of 2 would be renamed.");
  Type(*form, "extad", "k");
  EXPECT_EQ(Settled(*form), "1 of 2 would be renamed, 1 would keep its name.");
  EXPECT_EQ(Rows(*form, kPreviewListName, 1), (QStringList{"x.bak", "y.bak"}));
  EXPECT_EQ(Rows(*form, kPreviewListName, 2),
            (QStringList{"will be renamed", "would keep its name: name taken in the folder"}));
  // A custom text set without a key (a mouse paste) does not refresh the example; the preview
  // follows it all the same.
  ClickTab(*form, "Rename");
  Click(*form, "Option11");
  Settled(*form);
  Find<QLineEdit>(*form, "Text4")->setText("Trip");
  Settled(*form);
  EXPECT_EQ(Rows(*form, kPreviewListName, 1), (QStringList{"(Trip) x", "(Trip) y"}));

  Click(*form, "Command10");
  QDir sub(root_ + "/sub");
  EXPECT_EQ(sub.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            (QStringList{"(Trip) x", "(Trip) y", "y.bak"}));
  EXPECT_EQ(Settled(*form), kNothingSelected);  // nothing is selected after a batch
  // The batch is in the journal: a window opened afresh takes it back.
  form.reset();
  WindowState next_start;
  form = Open(&disk_, LastDir(), &next_start);
  ScopedMessageRecorder::AnswerNextQuestion(true);  // not this window's batch: it asks first
  Click(*form, "Undo");
  EXPECT_EQ(sub.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            (QStringList{"x", "y", "y.bak"}));
  EXPECT_EQ(Rows(*form, "List2"), (QStringList{"x", "y"}));
  EXPECT_EQ(form->status_text(), "Undo: 2 of 2 entries have their old names back.");
  EXPECT_FALSE(Find(*form, "Undo")->isEnabled());
  EXPECT_TRUE(sub.removeRecursively());  // gone when the preview opens again: it says so
  Click(*form, "PreviewToggle");
  EXPECT_THAT(Settled(*form).toStdString(), HasSubstr("/sub"));
}

// Clicks Cancel in the progress dialog once it is up and shows at least `at` entries done;
// `seen_maximum` then holds how many entries it counted.
struct CancelWhenProgressShows {
  explicit CancelWhenProgressShows(int at) {
    QObject::connect(&watch, &QTimer::timeout, [this, at] {
      auto* modal = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || !modal->isVisible()) return;
      if (!shown) first = modal;
      shown = true;
      one_dialog = one_dialog && first == modal;
      if (modal->value() < at) return;
      seen_maximum = modal->maximum();
      label = modal->labelText();
      place = modal->geometry();
      placed = modal->testAttribute(Qt::WA_Moved);
      watch.stop();
      if (auto* cancel = modal->findChild<QPushButton*>())
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    watch.start(10);
  }
  QTimer watch;
  int seen_maximum = 0;
  QString label;
  QRect place;
  bool placed = false;  // by the program, so that a window manager keeps it there
  QPointer<QProgressDialog> first;
  bool shown = false;
  bool one_dialog = true;  // the first dialog shown stayed up to the cancel, never made anew
};

TEST_F(BatchToolsTest, ALongBatchAndItsUndoShowProgressAndCancelStopsEachWhereItIs) {
  MemoryFileSystem fs;
  for (int i = 0; i < 1200; ++i) fs.AddFile("/photos", "p" + std::to_string(1000 + i));
  auto form = Open(&fs, "/photos");
  Click(*form, "PreviewToggle");
  SelectAllFilesAndAppend(*form, ".b");
  EXPECT_EQ(Settled(*form), "1,200 of 1,200 would be renamed.");  // grouped as the locale does
  fs.SetBeforeRename([] { std::this_thread::sleep_for(std::chrono::milliseconds(2)); });
  form->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->isMaximized(); }));
  {
    CancelWhenProgressShows cancel(400);
    Click(*form, "Command10");
    EXPECT_EQ(cancel.seen_maximum, 1200) << "no progress dialog";
    EXPECT_TRUE(cancel.one_dialog) << "the progress dialog was made again during the batch";
    EXPECT_TRUE(cancel.label.endsWith(" of 1,200 entries done.")) << cancel.label.toStdString();
    // Over the main window, in its middle (the label's growing count may widen it a little),
    // and placed there by the program.
    EXPECT_TRUE(cancel.placed);
    EXPECT_TRUE(form->frameGeometry().contains(cancel.place));
    EXPECT_LE((cancel.place.center() - form->frameGeometry().center()).manhattanLength(), 16);
  }
  EXPECT_EQ(form->findChild<QProgressDialog*>(), nullptr) << "the dialog outlived its batch";
  const int done = static_cast<int>(fs.rename_calls().size());
  ASSERT_TRUE(done >= 400 && done < 1200) << done;
  const std::string renamed = std::to_string(done), left = std::to_string(1200 - done);
  EXPECT_THAT(StatusText(*form),
              StartsWith("Renamed " + renamed + " of 1,200; stopped before the other " + left +
                         ". Undo takes back " + renamed + " entries"));
  // Undo, with Ctrl+Z, shows its progress too; cancelled, it says how far it came, and the next
  // undo takes back the rest.
  {
    CancelWhenProgressShows cancel(0);
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(Find(*form, "List2"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cancel.seen_maximum, done) << "no progress dialog";
  }
  const int back = static_cast<int>(fs.rename_calls().size()) - done;
  ASSERT_TRUE(back > 0 && back < done) << back;
  const std::string rest = std::to_string(done - back);
  EXPECT_THAT(StatusText(*form),
              StartsWith("Undo: " + std::to_string(back) + " of " + renamed +
                         " have their old names back; stopped before the other " + rest +
                         ". Undo takes back " + rest + " entries in '/photos'"));
  Click(*form, "Undo");
  EXPECT_EQ(form->status_text(),
            QStringLiteral("Undo: %1 of %1 entries have their old names back.").arg(done - back));
  for (const std::string& name : fs.AllNames("/photos")) EXPECT_EQ(name.size(), 5u) << name;
}

// A numbering that cannot be made fails alike for every entry: its message comes once, no
// progress dialog covers it, and the status line counts every selected entry; its details list
// each of them, ready to copy.
TEST_F(BatchToolsTest, AWrongNumberingSaysSoOnceUncoveredAndItsDetailsListEveryEntry) {
  MemoryFileSystem fs;
  for (int i = 0; i < 200; ++i) fs.AddFile("/photos", "p" + std::to_string(1000 + i));
  auto form = Open(&fs, "/photos");
  SelectAllFiles(*form);
  ClickTab(*form, "Numbering");
  Type(*form, "sortstartatnum", "9999999999");
  Click(*form, "sortstartat");
  fs.SetBeforeRename([] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });
  messages_.clear();
  bool covered = false;
  ScopedMessageRecorder box([&](const Message& message) {
    messages_.push_back(message);
    QTest::qWait(800);  // a person reads the box
    for (auto* dialog : form->findChildren<QProgressDialog*>()) covered |= dialog->isVisible();
  });
  Click(*form, "Command10");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, messages::kErroneousValues);
  EXPECT_FALSE(covered);
  EXPECT_THAT(StatusText(*form), StartsWith("Renamed 0 of 200 entries; 200 kept their names: "));
  QWidget* line = Find(*form, "StatusLine");
  QTest::mouseClick(line, Qt::LeftButton);
  auto* details = Find<QPlainTextEdit>(*form, "ReportDetailsText");
  ASSERT_NE(details, nullptr);
  const QStringList lines = details->toPlainText().split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(lines.size(), 200);
  EXPECT_EQ(lines.back(), "'p1199': no new name could be computed");
  Click(*form->findChild<QWidget*>("ReportDetails"), "CopyDetails");
  EXPECT_EQ(QApplication::clipboard()->text(), details->toPlainText());
  // From the keyboard too: Tab reaches the line, Enter or Space opens them.
  EXPECT_EQ(line->focusPolicy(), Qt::TabFocus);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) QTest::keyClick(line, key);
  EXPECT_EQ(form->findChildren<QPlainTextEdit*>("ReportDetailsText").size(), 3);
}

// A batch made on the command line in another folder: the window names it before Undo runs, and
// Undo asks first (Cancel the default); Cancel moves nothing, OK gives every name back.
TEST_F(BatchToolsTest, UndoOfACommandLineBatchInAnotherFolderAsksFirst) {
  Make({"shown/", "other/", "shown/keep", "other/a", "other/b"});
  WindowState command_line;
  std::ostringstream out;
  std::ostringstream err;
  const std::string other = (root_ + "/other").toStdString();
  ASSERT_EQ(RunHeadless({other, "-F", "*", "-C", "upper"}, command_line,
                        {disk_, settings_, clock_, &journal_}, out, err),
            0)
      << err.str();
  auto form = Open(&disk_, (root_ + "/shown").toStdString());
  const QString named = "2 entries in '" + root_ + "/other', renamed ";
  EXPECT_THAT(Find(*form, "Undo")->toolTip().toStdString(), HasSubstr(named.toStdString()));
  EXPECT_THAT(StatusText(*form), StartsWith(("Undo takes back " + named).toStdString()));
  QDir folder(root_ + "/other");
  for (const bool ok : {false, true}) {
    messages_.clear();
    if (ok) ScopedMessageRecorder::AnswerNextQuestion(true);
    QTest::keyClick(Find(*form, "List2"), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Undo");
    EXPECT_THAT(messages_[0].text, HasSubstr(named.toStdString()));
    EXPECT_EQ(folder.entryList(QDir::Files),
              ok ? QStringList({"a", "b"}) : QStringList({"A", "B"}));
  }
  EXPECT_FALSE(Find(*form, "Undo")->isEnabled());
}

}  // namespace
}  // namespace kestro::window_test
