#include "batch/batch_renamer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/entry_rename.h"
#include "batch/recording_ui_host.h"
#include "engine/messages.h"
#include "platform/memory_file_system.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;
using Names = std::vector<std::string>;
constexpr char kFolder[] = "/work/folder";

// The batches against one folder of the in-memory file system; every entry's content (a
// directory's: its file "tag") names where it came from, so nothing lost or mixed up goes unseen.
class BatchRenamerTest : public ::testing::Test {
 protected:
  BatchRenamerTest() {
    fs_.AddFolder(kFolder);
    state_.dirs_folder = kFolder;
    state_.files_folder = kFolder;
  }

  void AddFiles(const Names& names) {
    for (const std::string& name : names) fs_.AddFile(kFolder, name, "of " + name);
  }
  void AddDirectories(const Names& names) {
    for (const std::string& name : names) fs_.AddFile(kFolder + ("/" + name), "tag", "of " + name);
  }
  // Lists both pages and selects the entries named on the page of `files`.
  void Select(bool files, const Names& chosen) {
    state_.TargetKind = !files;
    batch_.Dir2_Change();
    batch_.File1_PathChange();
    SelectableList& list = files ? state_.List2 : state_.List1;
    for (std::size_t i = 0; i < list.size(); ++i) {
      list.SetSelected(i, std::find(chosen.begin(), chosen.end(), list.at(i)) != chosen.end());
    }
  }
  // Every name of the folder with the origin of what it holds: "new<-old".
  Names Where() {
    Names where;
    for (const std::string& name : fs_.AllNames(kFolder)) {
      const auto content = fs_.Content(kFolder + ("/" + name), "tag")
                               .value_or(fs_.Content(kFolder, name).value_or("?"));
      where.push_back(content == "of " + name ? name : name + "<-" + content.substr(3));
    }
    return where;
  }
  static std::string Kinds(const BatchReport& report) {
    std::string kinds;
    for (const EntryOutcome& e : report.entries) kinds += "DUKN"[static_cast<int>(e.kind)];
    return kinds;
  }

  MemoryFileSystem fs_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_{state_, fs_, clock_, ui_};
};

TEST_F(BatchRenamerTest, AWindowBatchRenamesTheSelectionInListOrderAndListsTheFolderAnew) {
  AddFiles({"img10.jpg", "img2.jpg", "img1.jpg"});
  AddDirectories({"Alpha", "beta"});
  state_.active_operation = ActiveOperation::Numbering;
  Select(/*files=*/true, {"img10.jpg", "img2.jpg"});
  BatchReport report = batch_.Command10_Click();
  EXPECT_TRUE(report.ran);
  EXPECT_EQ(report.folder, kFolder);
  EXPECT_EQ(Where(), (Names{"1 - img2.jpg<-img2.jpg", "2 - img10.jpg<-img10.jpg", "Alpha", "beta",
                            "img1.jpg"}));
  EXPECT_EQ(state_.List2.entries(), (Names{"1 - img2.jpg", "2 - img10.jpg", "img1.jpg"}));
  EXPECT_EQ(state_.List2.SelectedCount(), 0u);

  state_.active_operation = ActiveOperation::Case;
  state_.case_choice = CaseChoice::uppercase;
  Select(/*files=*/false, {"Alpha"});
  report = batch_.Command10_Click();
  EXPECT_EQ(Kinds(report), "D");
  EXPECT_EQ(state_.List1.entries(), (Names{"ALPHA", "beta"}));
  EXPECT_EQ(fs_.Content(std::string(kFolder) + "/ALPHA", "tag"), "of Alpha");
  EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(BatchRenamerTest, InputChecksStopTheBatchWithTheirMessage) {
  AddFiles({"a"});
  AddDirectories({"d"});
  struct Case {
    bool files;
    bool replace_field_empty;
    bool selected;
    const char* message;
    bool focus_moves;
  };
  const Case cases[] = {
      {true, true, false, messages::kFillRequiredFields, true},  // files: the field first
      {true, false, false, messages::kSelectFiles, false},
      {false, true, false, messages::kSelectDirectories, false},  // directories: the selection
      {false, true, true, messages::kFillRequiredFields, true},
  };
  for (const Case& c : cases) {
    ui_ = RecordingUiHost();
    state_.active_operation = ActiveOperation::Replace;
    state_.Text8 = c.replace_field_empty ? "" : "a";
    Select(c.files, c.selected ? Names{"a", "d"} : Names{});
    EXPECT_FALSE(batch_.Command10_Click().ran) << c.message;
    ASSERT_EQ(ui_.messages.size(), 1u) << c.message;
    EXPECT_EQ(ui_.messages[0].text, c.message);
    EXPECT_EQ(ui_.messages[0].title, messages::kErrorTitle);
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui_.calls.size(), c.focus_moves ? 2u : 1u) << c.message;
  }
  EXPECT_EQ(Where(), (Names{"a", "d"}));
}

TEST_F(BatchRenamerTest, AFailureMidBatchKeepsThatEntryAndTheRestGoOn) {
  AddFiles({"a", "b", "c", "d", "e", "caf\xe9"});
  fs_.FailRenameOf(kFolder, "b", Status::Error(Status::Code::kPermission, "permission denied"));
  fs_.MarkInUse(kFolder, "c");
  fs_.VanishBeforeRename(kFolder, "d");
  state_.active_operation = ActiveOperation::Extension;
  state_.extad = ".bak";
  Select(/*files=*/true, {"a", "b", "c", "d", "e", "caf\xe9"});
  const BatchReport report = batch_.Command9_Click();
  EXPECT_EQ(Kinds(report), "DKKKKD");
  EXPECT_EQ(report.entries[1].reason, "permission denied");
  EXPECT_EQ(report.entries[3].reason, kReasonNotUtf8);
  EXPECT_EQ(Where(), (Names{"a.bak<-a", "b", "c", "caf\xe9", "e.bak<-e"}));
}

TEST_F(BatchRenamerTest, NumberingThatCannotBeComputedSaysSoOncePerEntry) {
  AddFiles({"a", "b", "c", "d"});
  state_.active_operation = ActiveOperation::Numbering;
  state_.numbering.sortstartat = true;
  state_.numbering.sortstartatnum = "-2";
  Select(/*files=*/true, {"a", "b", "d"});
  // Positions 1, 2, 3 start at -2: the first two are erroneous, the third is 0.
  EXPECT_EQ(Kinds(batch_.Command9_Click()), "NND");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1].text, messages::kErroneousValues);
  EXPECT_EQ(ui_.messages[1].icon, MessageIcon::Critical);
  EXPECT_EQ(Where(), (Names{"0 - d<-d", "a", "b", "c"}));
}

TEST_F(BatchRenamerTest, TheProgressHookCanStopTheBatchBeforeAnyEntry) {
  AddFiles({"a", "b", "c", "d"});
  std::vector<std::pair<std::size_t, std::size_t>> seen;
  batch_.SetProgressHook([&](std::size_t done, std::size_t total) {
    seen.emplace_back(done, total);
    return done < 2;
  });
  state_.active_operation = ActiveOperation::Case;
  state_.case_choice = CaseChoice::uppercase;
  Select(/*files=*/true, {"a", "b", "c", "d"});
  const BatchReport report = batch_.Command9_Click();
  EXPECT_TRUE(report.cancelled);
  EXPECT_EQ(Kinds(report), "DD");
  EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {1, 4}, {2, 4}}));
  EXPECT_EQ(Where(), (Names{"A<-a", "B<-b", "c", "d"}));
}

TEST_F(BatchRenamerTest, AFolderThatCannotBeReadLeavesAnEmptyList) {
  AddFiles({"a"});
  Select(/*files=*/true, {"a"});
  state_.files_folder = "/no/such/folder";
  EXPECT_EQ(batch_.File1_PathChange().code(), Status::Code::kNotFound);
  EXPECT_EQ(state_.List2.size(), 0u);
}

}  // namespace
}  // namespace kestro
