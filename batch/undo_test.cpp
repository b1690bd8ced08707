// Undo of the last window batch: every renamed entry gets its old name back, last first, with
// the no-replace rename; what cannot go back is reported.
#include "batch/undo.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "batch/test_folder.h"
#include "platform/memory_file_system.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;
using Names = std::vector<std::string>;

class UndoTest : public ::testing::Test, public TestFolder {
 protected:
  // Renames every file of `names` by `operation`, as "Rename!" does, and remembers the batch.
  BatchReport RenameAll(const Names& names, ActiveOperation operation, const std::string& text) {
    Add(names);
    SelectAll(/*files=*/true);
    state.active_operation = operation;
    state.extad = state.Text6 = text;
    state.leftoption = false;
    const BatchReport report = batch.Command10_Click();
    last_.Remember(report);
    return report;
  }

  LastBatch last_;
};

TEST_F(UndoTest, RestoresEveryNameLastFirstSoAChainUnwinds) {
  // Stripping one from the right: bcd -> bc, then bcde -> bcd, freed just before; "a" is never
  // stripped away and "a" is taken for "ab", so those two keep their names.
  const Names names = {"a", "ab", "bcd", "bcde"};
  EXPECT_EQ(RenameAll(names, ActiveOperation::Strip, "1").Count(Kind::kDone), 2u);
  EXPECT_EQ(last_.size(), 2u);
  const UndoReport undo = last_.Undo(fs);
  ASSERT_EQ(undo.entries.size(), 2u);
  EXPECT_EQ(undo.entries[0].old_name + ">" + undo.entries[0].new_name, "bcd>bcde");
  EXPECT_EQ(Where(), names);  // each under its own name again
  EXPECT_FALSE(last_.CanUndo());
  EXPECT_EQ(DescribeUndo(undo), "Undo: 2 of 2 entries have their old names back.");
  EXPECT_EQ(DescribeUndo(last_.Undo(fs)), "Nothing to undo.");
}

TEST_F(UndoTest, WhatCannotGoBackIsReportedAndTheRestGoesBack) {
  RenameAll({"a", "b", "c", "d", "e"}, ActiveOperation::Extension, ".x");
  fs.AddFile(kFolder, "b", "a newcomer");
  fs.AddFile(kFolder, "d", "another");
  fs.VanishBeforeRename(kFolder, "e.x");
  const UndoReport undo = last_.Undo(fs);
  EXPECT_EQ(undo.Count(Kind::kKept), 3u);
  EXPECT_EQ(Where(), (Names{"a", "b<-a newcomer", "b.x<-b", "c", "d<-another", "d.x<-d"}));
  EXPECT_EQ(DescribeUndo(undo, 2),
            std::string("Undo: 2 of 5 entries have their old names back; 3 could not go back: ") +
                "'e.x' to 'e': " + std::strerror(ENOENT) + "; 'd.x' to 'd': " + kNameExists +
                "; and 1 more.");
}

}  // namespace
}  // namespace kestro
