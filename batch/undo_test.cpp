// The journal of batches and undo from it: every renamed entry gets its old name back, last
// first, with the no-replace rename, also after the batch was killed half-way; what cannot go
// back is reported.
#include "batch/undo.h"
#include "batch/report_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "batch/test_folder.h"
#include "platform/name_rules.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;
using Kind = EntryOutcome::Kind;
using Names = std::vector<std::string>;

class UndoTest : public ::testing::Test, public TestFolder {
 protected:
  // Renames every file of `names` by `operation`, as "Rename!" does, with `journal` on.
  BatchReport RenameAll(const Names& names, ActiveOperation operation, const std::string& text,
                        JournalFolder* journal = nullptr) {
    Add(names);
    SelectAll(/*files=*/true);
    state.active_operation = operation;
    state.extad = state.Text6 = text;
    state.leftoption = false;
    batch.SetJournal(journal != nullptr ? journal : &journal_);
    return batch.Command10_Click();
  }

  // Undoes the newest batch as the command line and the windows do, noting what went back.
  UndoReport UndoAndNote() {
    Journal newest;
    EXPECT_TRUE(journal_.Newest(&newest).ok());
    const UndoReport report = UndoJournal(fs, newest);
    EXPECT_TRUE(NoteUndo(journal_, newest, report).ok());
    return report;
  }
  // The first old name of the newest batch that undo would take back, or why there is none.
  std::string NewestFirstName() {
    Journal newest;
    const Status status = journal_.Newest(&newest);
    if (!status.ok()) return status.message();
    return newest.entries.empty() ? "" : newest.entries[0].old_name;
  }
  // A journal file written by hand, as an older version or another program left it.
  void WriteJournal(const std::string& name, const std::string& folder, const std::string& rest) {
    std::ofstream(state_folder_ / name, std::ios::binary)
        << "kestro journal 1\nfolder " << folder << "\n"
        << rest;
  }

  TempTree temp_;
  const stdfs::path state_folder_ = TestPath(temp_.NewFolder());
  // The in-memory folders are "/..." paths on every platform.
  JournalFolder journal_{state_folder_.string(),
                         [](std::string_view path) { return path.starts_with('/'); }};
};

TEST_F(UndoTest, RestoresEveryNameLastFirstSoAChainUnwinds) {
  // Stripping one from the right: bcd -> bc, then bcde -> bcd, freed just before; "a" is never
  // stripped away and "a" is taken for "ab", so those two keep their names. A name holding a
  // newline, a tab, a backslash and an escape comes back as it was.
  const Names names = {"a", "ab", "bcd", "bcde", "x\n\ty\\z\x1b"};
  EXPECT_EQ(Kinds(RenameAll(names, ActiveOperation::Strip, "1")), "UKDDD");
  const UndoReport undo = UndoAndNote();
  ASSERT_EQ(undo.entries.size(), 3u);
  EXPECT_EQ(undo.entries[1].old_name + ">" + undo.entries[1].new_name, "bcd>bcde");
  EXPECT_EQ(Where(), names);  // each under its own name again
  EXPECT_EQ(DescribeUndo(undo), "Undo: 3 of 3 entries have their old names back.");
  EXPECT_EQ(NewestFirstName(), "Nothing to undo.");
}

TEST_F(UndoTest, TwoUndosTakeBackTwoBatchesNewestFirst) {
  RenameAll({"a", "b"}, ActiveOperation::Extension, ".x");
  state.extad = ".y";
  SelectAll(/*files=*/true);
  batch.Command10_Click();
  EXPECT_EQ(Where(), (Names{"a.x.y<-a", "b.x.y<-b"}));
  UndoAndNote();
  EXPECT_EQ(Where(), (Names{"a.x<-a", "b.x<-b"}));
  UndoAndNote();
  EXPECT_EQ(Where(), (Names{"a", "b"}));
}

TEST_F(UndoTest, WhatCannotGoBackIsReportedAndTheRestGoesBack) {
  RenameAll({"a", "b", "c", "d", "e"}, ActiveOperation::Extension, ".x");
  fs.AddFile(kFolder, "b", "a newcomer");
  fs.AddFile(kFolder, "c", "a third");
  fs.AddFile(kFolder, "d", "another");
  fs.VanishBeforeRename(kFolder, "e.x");
  const UndoReport undo = UndoAndNote();
  EXPECT_EQ(undo.Count(Kind::kKept), 4u);
  EXPECT_EQ(Where(), (Names{"a", "b<-a newcomer", "b.x<-b", "c<-a third", "c.x<-c", "d<-another",
                            "d.x<-d"}));
  EXPECT_EQ(DescribeUndo(undo, PlainCount, 2),
            std::string("Undo: 1 of 5 entries has its old name back; 4 could not go back: ") +
                "'e.x' to 'e': " + std::strerror(ENOENT) + "; 'd.x' to 'd': " + kNameExists +
                "; and 2 more.");
}

// A batch killed half-way leaves its renames, some noted as made, the last few not: the folder
// tells which of those were made.
TEST_F(UndoTest, ABatchKilledHalfWayIsTakenBackFromWhatTheFolderHolds) {
  Add({"a.x", "b.x", "c", "d", "e.x"});
  WriteJournal("00000000000000000001-1.journal", kFolder,
               "rename a\ta.x\nrename b\tb.x\nrename c\tc.x\nrename d\td.x\nrename e\te.x\n"
               "made 0 10\n");  // a made, b not noted as made; nothing about the rest
  const UndoReport undo = UndoAndNote();
  EXPECT_EQ(Kinds(undo), "DD");  // e.x, then a.x; b.x was not the batch's, nor were c and d
  EXPECT_EQ(Where(), (Names{"a<-a.x", "b.x", "c", "d", "e<-e.x"}));
  EXPECT_EQ(DescribeUndo(undo), "Undo: 2 of 2 entries have their old names back.");
  // Killed before its first rename: there is nothing of it to take back.
  const Journal unmade{"", kFolder, {{"c", "c.x"}}};
  EXPECT_EQ(DescribeUndo(UndoJournal(fs, unmade)), "Nothing to undo.");
}

TEST_F(UndoTest, AJournalThatCannotBeWrittenStopsNothing) {
  const stdfs::path file = state_folder_ / "not a folder";
  std::ofstream(file) << "x";
  JournalFolder unwritable((file / "journals").string());
  const BatchReport report = RenameAll({"a", "b"}, ActiveOperation::Extension, ".x", &unwritable);
  EXPECT_EQ(Kinds(report), "DD");
  EXPECT_NE(report.journal_error.find("journal"), std::string::npos) << report.journal_error;
  Journal none;
  EXPECT_EQ(unwritable.Newest(&none).code(), Status::Code::kNotFound);
}

// An undo that could not take every rename back (the folder moved away meanwhile, an old name
// taken) leaves the rest to the next undo, once what was in the way is gone.
TEST_F(UndoTest, AnUndoNotesOnlyTheRenamesThatWentBack) {
  RenameAll({"a", "b", "c"}, ActiveOperation::Extension, ".x");
  ASSERT_TRUE(fs.RenameNoReplace("/work", "folder", "away").ok());
  EXPECT_EQ(Kinds(UndoAndNote()), "KKK");
  ASSERT_TRUE(fs.RenameNoReplace("/work", "away", "folder").ok());
  fs.AddFile(kFolder, "b", "a newcomer");
  EXPECT_EQ(Kinds(UndoAndNote()), "DKD");
  ASSERT_TRUE(fs.RenameNoReplace(kFolder, "b", "newcomer").ok());
  EXPECT_EQ(Kinds(UndoAndNote()), "D");  // b.x alone: a.x and c.x went back already
  EXPECT_EQ(Where(), (Names{"a", "b", "c", "newcomer<-a newcomer"}));
  EXPECT_EQ(NewestFirstName(), "Nothing to undo.");
}

// A batch that renamed nothing (every new name was taken) is passed over: undo takes back the
// batch before it.
TEST_F(UndoTest, ABatchThatRenamedNothingIsPassedOver) {
  RenameAll({"a"}, ActiveOperation::Extension, ".x");
  Add({"c"});
  fs.AddFile(kFolder, "c.x", "taken");
  Select(/*files=*/true, {"c"});
  EXPECT_EQ(Kinds(batch.Command10_Click()), "K");
  EXPECT_EQ(NewestFirstName(), "a");  // the first batch, not the one of c
}

// A journal is refused, and the batch before it taken back, when it names a folder that is not
// absolute (it would be taken in whatever folder the undo runs in), or when it is no journal.
TEST_F(UndoTest, AJournalOfARelativeFolderIsRefused) {
  RenameAll({"a"}, ActiveOperation::Extension, ".x");
  const std::string made = "rename b\tb.x\nmade 0 1\ntried 1\n";
  for (const char* folder : {"folder", "work/folder", "./folder", ""}) {
    WriteJournal("s9999999999999999998.journal", folder, made);
    EXPECT_EQ(NewestFirstName(), "a") << folder;
  }
}

// The clock put back: journals of an older version named by a later time stay older than any
// batch made since, and the ten kept are the ten newest batches.
TEST_F(UndoTest, JournalsAreOrderedByTheirNumberNotByTheClock) {
  for (int i = 0; i < 10; ++i) {
    WriteJournal("9" + std::string(18, '0') + std::to_string(i) + "-1.journal", kFolder,
                 "rename old" + std::to_string(i) + "\tnew\nmade 0 1\ntried 1\n");
  }
  RenameAll({"a"}, ActiveOperation::Extension, ".x");
  EXPECT_EQ(std::distance(stdfs::directory_iterator(state_folder_), stdfs::directory_iterator()),
            10);
  EXPECT_EQ(NewestFirstName(), "a");
  UndoAndNote();
  EXPECT_EQ(NewestFirstName(), "old9");  // then the older ones, latest name first
}

}  // namespace
}  // namespace kestro
