// Undo of the last window batch: every renamed entry gets its old name back, last first, with
// the no-replace rename; what cannot go back is reported.
#include "batch/undo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/recording_ui_host.h"
#include "batch/test_worlds.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;
using Names = std::vector<std::string>;

template <typename World>
class UndoTest : public ::testing::Test {
 protected:
  UndoTest() {
    state_.TargetKind = false;
    state_.files_folder = world_.folder();
  }
  void AddFiles(const Names& names) {
    for (const std::string& name : names) world_.AddFile(name, "content of " + name);
    batch_.File1_PathChange();
    state_.List2.SelectAll(true);
  }
  BatchReport Rename() { return batch_.Command10_Click(); }
  void StripRight(const std::string& count) {
    state_.active_operation = ActiveOperation::Strip;
    state_.leftoption = false;
    state_.Text6 = count;
  }
  // Every entry under its original name, with its own content.
  void ExpectOriginal(const Names& names) {
    EXPECT_EQ(world_.Names(), names);
    for (const std::string& name : names) EXPECT_EQ(world_.Content(name), "content of " + name);
  }

  World world_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_{state_, world_.fs(), clock_, ui_};
  LastBatch last_;
};

using Worlds = ::testing::Types<MemoryWorld, DiskWorld>;
TYPED_TEST_SUITE(UndoTest, Worlds);

TYPED_TEST(UndoTest, RestoresEveryNameOfTheBatch) {
  const Names names = {"a.txt", "b.txt", "c.txt"};
  this->AddFiles(names);
  this->state_.active_operation = ActiveOperation::Extension;
  this->state_.extad = ".bak";
  this->last_.Remember(this->Rename());
  ASSERT_TRUE(this->last_.CanUndo());
  EXPECT_EQ(this->world_.Names(), (Names{"a.txt.bak", "b.txt.bak", "c.txt.bak"}));

  const UndoReport undo = this->last_.Undo(this->world_.fs());
  EXPECT_EQ(undo.Count(Kind::kDone), 3u);
  EXPECT_EQ(undo.entries.front().old_name, "c.txt.bak");  // last first
  EXPECT_EQ(undo.entries.front().new_name, "c.txt");
  this->ExpectOriginal(names);
  EXPECT_FALSE(this->last_.CanUndo());
  EXPECT_EQ(DescribeUndo(undo), "Undo: 3 of 3 entries have their old names back.");
}

TYPED_TEST(UndoTest, AChainIsUndoneLastFirst) {
  // Stripping one from the right renames abc -> ab, then abcd -> abc, which was freed just before.
  const Names names = {"abc", "abcd"};
  this->AddFiles(names);
  this->StripRight("1");
  const BatchReport report = this->Rename();
  ASSERT_EQ(report.Count(Kind::kDone), 2u);
  this->last_.Remember(report);
  const UndoReport undo = this->last_.Undo(this->world_.fs());
  EXPECT_EQ(undo.Count(Kind::kDone), 2u) << DescribeUndo(undo);
  this->ExpectOriginal(names);
}

TYPED_TEST(UndoTest, OnlyWhatWasRenamedGoesBackAfterAPartialFailure) {
  // "a" would be left empty and "ab" would take the name of "a": both keep their names.
  const Names names = {"a", "ab", "xyz"};
  this->AddFiles(names);
  this->StripRight("1");
  const BatchReport report = this->Rename();
  ASSERT_EQ(report.Count(Kind::kDone), 1u);
  this->last_.Remember(report);
  EXPECT_EQ(this->last_.size(), 1u);
  const UndoReport undo = this->last_.Undo(this->world_.fs());
  EXPECT_EQ(undo.entries.size(), 1u);
  this->ExpectOriginal(names);
}

TYPED_TEST(UndoTest, ACancelledBatchIsUndoneAsFarAsItWent) {
  const Names names = {"1", "2", "3", "4"};
  this->AddFiles(names);
  this->state_.active_operation = ActiveOperation::Extension;
  this->state_.extad = ".x";
  this->batch_.SetProgressHook([](std::size_t done, std::size_t) { return done < 2; });
  const BatchReport report = this->Rename();
  ASSERT_TRUE(report.cancelled);
  this->last_.Remember(report);
  EXPECT_EQ(this->world_.Names(), (Names{"1.x", "2.x", "3", "4"}));
  EXPECT_EQ(this->last_.Undo(this->world_.fs()).Count(Kind::kDone), 2u);
  this->ExpectOriginal(names);
}

TYPED_TEST(UndoTest, ReportsAnEntryWhoseOldNameWasTakenMeanwhileAndRestoresTheRest) {
  this->AddFiles({"a", "b", "c"});
  this->state_.active_operation = ActiveOperation::Extension;
  this->state_.extad = ".x";
  this->last_.Remember(this->Rename());
  this->world_.AddFile("b", "a newcomer");

  const UndoReport undo = this->last_.Undo(this->world_.fs());
  ASSERT_EQ(undo.entries.size(), 3u);
  EXPECT_EQ(undo.entries[1].kind, Kind::kKept);
  EXPECT_EQ(undo.entries[1].reason, kNameExists);
  EXPECT_EQ(this->world_.Names(), (Names{"a", "b", "b.x", "c"}));
  EXPECT_EQ(this->world_.Content("b"), "a newcomer");
  EXPECT_EQ(this->world_.Content("b.x"), "content of b");
  EXPECT_EQ(DescribeUndo(undo),
            "Undo: 2 of 3 entries have their old names back; 1 could not go back: 'b.x' to 'b': "
            "a file of that name exists.");
}

TEST(UndoMemoryTest, ReportsAnEntryThatVanished) {
  MemoryWorld world;
  world.AddFile("a");
  BatchReport report;
  report.ran = true;
  report.folder = world.folder();
  report.entries.push_back(EntryOutcome{"z", "a", Kind::kDone, ""});
  LastBatch last;
  last.Remember(report);
  world.memory().VanishBeforeRename(world.folder(), "a");
  const UndoReport undo = last.Undo(world.fs());
  ASSERT_EQ(undo.entries.size(), 1u);
  EXPECT_EQ(undo.entries[0].kind, Kind::kKept);
  EXPECT_FALSE(undo.entries[0].reason.empty());
  EXPECT_TRUE(world.Names().empty());
}

TEST(UndoMemoryTest, ABatchThatRenamedNothingLeavesNothingToUndo) {
  BatchReport report;
  report.ran = true;
  report.entries.push_back(EntryOutcome{"a", "a", Kind::kUnchanged, ""});
  report.entries.push_back(EntryOutcome{"b", "c", Kind::kKept, kNameExists});
  LastBatch last;
  last.Remember(report);
  EXPECT_FALSE(last.CanUndo());
  MemoryFileSystem fs;
  const UndoReport undo = last.Undo(fs);
  EXPECT_FALSE(undo.ran);
  EXPECT_TRUE(fs.rename_calls().empty());
  EXPECT_EQ(DescribeUndo(undo), "Nothing to undo.");
}

}  // namespace
}  // namespace kestro
