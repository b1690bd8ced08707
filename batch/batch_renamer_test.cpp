#include "batch/batch_renamer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "batch/entry_rename.h"
#include "batch/test_folder.h"
#include "engine/messages.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;

// The batches against one folder of the in-memory file system.
class BatchRenamerTest : public ::testing::Test, public TestFolder {};

TEST_F(BatchRenamerTest, AWindowBatchRenamesTheSelectionInListOrderAndListsTheFolderAnew) {
  Add({"img10.jpg", "img2.jpg", "img1.jpg"});
  Add({"Alpha/", "beta/"});
  state.active_operation = ActiveOperation::Numbering;
  Select(/*files=*/true, {"img10.jpg", "img2.jpg"});
  BatchReport report = batch.Command10_Click();
  EXPECT_TRUE(report.ran);
  EXPECT_EQ(report.folder, kFolder);
  EXPECT_EQ(Where(), (Names{"1 - img2.jpg<-img2.jpg", "2 - img10.jpg<-img10.jpg", "Alpha", "beta",
                            "img1.jpg"}));
  EXPECT_EQ(state.List2.entries(), (Names{"1 - img2.jpg", "2 - img10.jpg", "img1.jpg"}));
  EXPECT_EQ(state.List2.SelectedCount(), 0u);

  state.active_operation = ActiveOperation::Case;
  state.case_choice = CaseChoice::uppercase;
  Select(/*files=*/false, {"Alpha"});
  report = batch.Command10_Click();
  EXPECT_EQ(Kinds(report), "D");
  EXPECT_EQ(state.List1.entries(), (Names{"ALPHA", "beta"}));
  EXPECT_EQ(fs.Content(std::string(kFolder) + "/ALPHA", "tag"), "Alpha");
  EXPECT_TRUE(ui.calls.empty());
}

// A check that fails stops the batch before any rename, with its message; an empty or bad field
// then takes the focus.
TEST_F(BatchRenamerTest, InputChecksStopTheBatchWithTheirMessage) {
  Add({"a"});
  Add({"d/"});
  struct Case {
    bool files;
    const char* field_a;
    bool regex;
    bool selected;
    const char* message;
    bool focus_moves;
  };
  const Case cases[] = {
      {true, "", false, false, messages::kFillRequiredFields, true},  // files: the field first
      {true, "a", false, false, messages::kSelectFiles, false},
      {false, "", false, false, messages::kSelectDirectories, false},  // directories: selection
      {false, "", false, true, messages::kFillRequiredFields, true},
      {true, "(img", true, true, "bad pattern '(img': missing closing parenthesis at offset 4",
       true},
  };
  for (const Case& c : cases) {
    ui = RecordingUiHost();
    state.active_operation = ActiveOperation::Replace;
    state.Text8 = c.field_a;
    state.RegexCheck = c.regex;
    Select(c.files, c.selected ? Names{"a", "d"} : Names{});
    EXPECT_FALSE(batch.Command10_Click().ran) << c.message;
    ASSERT_EQ(ui.messages.size(), 1u) << c.message;
    EXPECT_EQ(ui.messages[0].text, c.message);
    EXPECT_EQ(ui.messages[0].title, messages::kErrorTitle);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.calls.size(), c.focus_moves ? 2u : 1u) << c.message;
  }
  // The bad pattern is a literal Replace's field A, which finds nothing.
  state.RegexCheck = false;
  EXPECT_EQ(Kinds(batch.Command10_Click()), "U");
  EXPECT_EQ(Where(), (Names{"a", "d"}));
}

// An expression batch: every match replaced, match case honoured, and an entry whose name makes
// the pattern backtrack without end keeps its name with the reason while the rest go on.
TEST_F(BatchRenamerTest, AnExpressionBatchKeepsAnEntryThatHitsTheMatchLimit) {
  const std::string long_name = std::string(60, 'a') + "!";
  Add({"aa", "Ab", long_name});
  state.active_operation = ActiveOperation::Replace;
  state.RegexCheck = true;
  state.Text8 = "(a+)+$";
  state.Text7 = "x";
  Select(/*files=*/true, {"aa", "Ab", long_name});
  BatchReport report = batch.Command9_Click();
  EXPECT_EQ(Kinds(report), "DKU");  // in list order: "aa", the long name, "Ab"
  EXPECT_EQ(report.entries[1].reason, "pattern '(a+)+$' hit its match limit on this name");
  EXPECT_EQ(report.entries[1].new_name, "");
  EXPECT_EQ(Where(), (Names{"Ab", long_name, "x<-aa"}));

  state.Text8 = "^a";
  state.Text7 = "z";
  state.MatchCase = true;
  Select(/*files=*/true, {"Ab", "x"});
  EXPECT_EQ(Kinds(batch.Command9_Click()), "UU");
  state.MatchCase = false;
  Select(/*files=*/true, {"Ab"});
  EXPECT_EQ(Kinds(batch.Command9_Click()), "D");
  EXPECT_TRUE(ui.messages.empty());
}

// Names that each take the pattern to its match limit: computing them is slow, so the progress
// hook is asked meanwhile, and can stop the batch before any name is renamed.
TEST_F(BatchRenamerTest, ASlowExpressionAsksTheProgressHookBeforeTheFirstRename) {
  Names names;
  for (char c = 'a'; c <= 'z'; ++c) names.push_back(std::string(60, 'a') + c + "!");
  Add(names);
  state.active_operation = ActiveOperation::Replace;
  state.RegexCheck = true;
  state.Text8 = "(a+)+$";
  state.Text7 = "x";
  Select(/*files=*/true, names);
  std::size_t computed = 0;
  // However fast the machine, each name takes a few milliseconds, so the batch is slow for sure.
  batch.SetNameHook([&](std::size_t) {
    ++computed;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  batch.SetProgressHook([](std::size_t done, std::size_t) { return done > 0; });
  const BatchReport report = batch.Command9_Click();
  EXPECT_TRUE(report.cancelled);
  EXPECT_TRUE(report.entries.empty());
  EXPECT_LT(computed, names.size());
  EXPECT_EQ(Where(), names);
}

TEST_F(BatchRenamerTest, AFailureMidBatchKeepsThatEntryAndTheRestGoOn) {
  Add({"a", "b", "c", "d", "e", "caf\xe9"});
  fs.FailRenameOf(kFolder, "b", Status::Error(Status::Code::kPermission, "permission denied"));
  fs.MarkInUse(kFolder, "c");
  fs.VanishBeforeRename(kFolder, "d");
  state.active_operation = ActiveOperation::Extension;
  state.extad = ".bak";
  Select(/*files=*/true, {"a", "b", "c", "d", "e", "caf\xe9"});
  const BatchReport report = batch.Command9_Click();
  EXPECT_EQ(Kinds(report), "DKKKKD");
  EXPECT_EQ(report.entries[1].reason, "permission denied");
  EXPECT_EQ(report.entries[3].reason, kReasonNotUtf8);
  EXPECT_EQ(Where(), (Names{"a.bak<-a", "b", "c", "caf\xe9", "e.bak<-e"}));
}

TEST_F(BatchRenamerTest, NumberingThatCannotBeComputedSaysSoOncePerEntry) {
  Add({"a", "b", "c", "d"});
  state.active_operation = ActiveOperation::Numbering;
  state.numbering.sortstartat = true;
  state.numbering.sortstartatnum = "-2";
  Select(/*files=*/true, {"a", "b", "d"});
  // Positions 1, 2, 3 start at -2: the first two are erroneous, the third is 0.
  EXPECT_EQ(Kinds(batch.Command9_Click()), "NND");
  EXPECT_EQ(ui.messages.size(), 2u);  // one for each entry without a name
  EXPECT_EQ(Where(), (Names{"0 - d<-d", "a", "b", "c"}));
}

TEST_F(BatchRenamerTest, TheProgressHookCanStopTheBatchBeforeAnyEntry) {
  Add({"a", "b", "c", "d"});
  std::vector<std::pair<std::size_t, std::size_t>> seen;
  batch.SetProgressHook([&](std::size_t done, std::size_t total) {
    seen.emplace_back(done, total);
    return done < 2;
  });
  state.active_operation = ActiveOperation::Case;
  state.case_choice = CaseChoice::uppercase;
  Select(/*files=*/true, {"a", "b", "c", "d"});
  const BatchReport report = batch.Command9_Click();
  EXPECT_TRUE(report.cancelled);
  EXPECT_EQ(Kinds(report), "DD");
  EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {1, 4}, {2, 4}}));
  EXPECT_EQ(Where(), (Names{"A<-a", "B<-b", "c", "d"}));
}

TEST_F(BatchRenamerTest, AFolderThatCannotBeReadLeavesAnEmptyList) {
  Add({"a"});
  Select(/*files=*/true, {"a"});
  state.files_folder = "/no/such/folder";
  EXPECT_EQ(batch.File1_PathChange().code(), Status::Code::kNotFound);
  EXPECT_EQ(state.List2.size(), 0u);
}

}  // namespace
}  // namespace kestro
