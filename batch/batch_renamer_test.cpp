#include "batch/batch_renamer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/recording_ui_host.h"
#include "batch/test_worlds.h"
#include "engine/messages.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;
using Names = std::vector<std::string>;

// The batches against one folder, the same tests on the in-memory file system and on disk.
template <typename World>
class BatchRenamerTest : public ::testing::Test {
 protected:
  BatchRenamerTest() {
    state_.dirs_folder = world_.folder();
    state_.files_folder = world_.folder();
  }

  void AddFiles(const Names& names) {
    for (const std::string& name : names) world_.AddFile(name, "content of " + name);
  }
  void AddDirectories(const Names& names) {
    for (const std::string& name : names) world_.AddDirectory(name, "tag of " + name);
  }
  // Lists both pages and selects the entries named.
  void Select(SelectableList& list, const Names& chosen) {
    batch_.Dir2_Change();
    batch_.File1_PathChange();
    for (std::size_t i = 0; i < list.size(); ++i) {
      for (const std::string& name : chosen) {
        if (list.at(i) == name) list.SetSelected(i, true);
      }
    }
  }
  // What the command-line mode does before it calls a batch: words 1 and 2 are the folder and
  // the target; for "-D" every sub-directory is selected, for "-F" the files are listed by mask.
  void CommandLine(const Names& words_after_folder) {
    state_.args = {};
    state_.args[1] = world_.folder();
    state_.command_line = world_.folder();
    for (std::size_t i = 0; i < words_after_folder.size(); ++i) {
      state_.args[i + 2] = words_after_folder[i];
      state_.command_line += " " + words_after_folder[i];
    }
    batch_.Dir2_Change();
    state_.List1.SelectAll(true);
    state_.file_mask = state_.args[3];
    batch_.File1_PathChange();
  }
  // The content under every listed name, to check that nothing was lost or duplicated.
  std::vector<std::pair<std::string, std::string>> Contents() {
    std::vector<std::pair<std::string, std::string>> contents;
    for (const std::string& name : world_.Names()) {
      contents.emplace_back(name, world_.Content(name).value_or("?"));
    }
    return contents;
  }

  World world_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_{state_, world_.fs(), clock_, ui_};
};

using Worlds = ::testing::Types<MemoryWorld, DiskWorld>;
TYPED_TEST_SUITE(BatchRenamerTest, Worlds);

TYPED_TEST(BatchRenamerTest, FileWindowBatchNumbersTheSelectionInListOrder) {
  this->AddFiles({"img10.jpg", "img2.jpg", "img1.jpg", "notes.txt"});
  this->state_.TargetKind = false;
  this->state_.active_operation = ActiveOperation::Numbering;
  this->Select(this->state_.List2, {"img10.jpg", "img2.jpg"});

  BatchReport report = this->batch_.Command10_Click();

  EXPECT_TRUE(report.ran);
  EXPECT_EQ(report.folder, this->world_.folder());
  ASSERT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(report.entries[0].old_name, "img2.jpg");
  EXPECT_EQ(report.entries[0].new_name, "1 - img2.jpg");
  EXPECT_EQ(report.entries[1].new_name, "2 - img10.jpg");
  EXPECT_EQ(report.Count(Kind::kDone), 2u);
  EXPECT_EQ(this->Contents(), (std::vector<std::pair<std::string, std::string>>{
                                  {"1 - img2.jpg", "content of img2.jpg"},
                                  {"2 - img10.jpg", "content of img10.jpg"},
                                  {"img1.jpg", "content of img1.jpg"},
                                  {"notes.txt", "content of notes.txt"}}));
  // The list shows the folder anew, nothing selected.
  EXPECT_EQ(this->state_.List2.entries(),
            (Names{"1 - img2.jpg", "2 - img10.jpg", "img1.jpg", "notes.txt"}));
  EXPECT_EQ(this->state_.List2.SelectedCount(), 0u);
  EXPECT_TRUE(this->ui_.calls.empty());
}

TYPED_TEST(BatchRenamerTest, DirectoryWindowBatchRenamesTheSelectedSubDirectories) {
  this->AddDirectories({"Alpha", "beta", "Gamma"});
  this->AddFiles({"alpha.txt"});
  this->state_.TargetKind = true;
  this->state_.active_operation = ActiveOperation::Case;
  this->state_.case_choice = CaseChoice::uppercase;
  this->Select(this->state_.List1, {"Alpha", "Gamma"});

  BatchReport report = this->batch_.Command10_Click();

  EXPECT_EQ(report.Count(Kind::kDone), 2u);
  EXPECT_EQ(this->world_.Names(), (Names{"ALPHA", "GAMMA", "alpha.txt", "beta"}));
  EXPECT_EQ(this->world_.Content("ALPHA"), "tag of Alpha");
  EXPECT_EQ(this->world_.Content("GAMMA"), "tag of Gamma");
  EXPECT_EQ(this->state_.List1.entries(), (Names{"ALPHA", "beta", "GAMMA"}));
  EXPECT_EQ(this->state_.List1.SelectedCount(), 0u);
}

TYPED_TEST(BatchRenamerTest, FileChecksComeFieldFirstThenSelection) {
  this->AddFiles({"a.txt"});
  this->state_.active_operation = ActiveOperation::Replace;
  this->Select(this->state_.List2, {});

  BatchReport report = this->batch_.Command9_Click();
  EXPECT_FALSE(report.ran);
  ASSERT_EQ(this->ui_.messages.size(), 1u);
  EXPECT_EQ(this->ui_.messages[0].text, messages::kFillRequiredFields);
  EXPECT_EQ(this->ui_.messages[0].title, messages::kErrorTitle);
  EXPECT_EQ(this->ui_.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(this->ui_.calls,
            (std::vector<RecordingUiHost::Call>{RecordingUiHost::Call::kMessage,
                                                RecordingUiHost::Call::kFocusText8}));

  // With the field filled (field "B:" may stay empty) the selection is what is missing.
  this->state_.Text8 = "a";
  this->batch_.Command9_Click();
  ASSERT_EQ(this->ui_.messages.size(), 2u);
  EXPECT_EQ(this->ui_.messages[1].text, messages::kSelectFiles);
  EXPECT_EQ(this->ui_.messages[1].icon, MessageIcon::Exclamation);
  EXPECT_EQ(this->world_.Names(), (Names{"a.txt"}));
}

TYPED_TEST(BatchRenamerTest, DirectoryChecksComeSelectionFirstThenField) {
  this->AddDirectories({"a"});
  this->state_.active_operation = ActiveOperation::Replace;
  this->Select(this->state_.List1, {});

  this->batch_.Command2_Click();
  ASSERT_EQ(this->ui_.messages.size(), 1u);
  EXPECT_EQ(this->ui_.messages[0].text, messages::kSelectDirectories);
  EXPECT_EQ(this->ui_.messages[0].title, messages::kErrorTitle);
  EXPECT_EQ(this->ui_.calls.size(), 1u);  // no focus move

  this->Select(this->state_.List1, {"a"});
  BatchReport report = this->batch_.Command2_Click();
  EXPECT_FALSE(report.ran);
  ASSERT_EQ(this->ui_.messages.size(), 2u);
  EXPECT_EQ(this->ui_.messages[1].text, messages::kFillRequiredFields);
  EXPECT_EQ(this->ui_.calls.back(), RecordingUiHost::Call::kFocusText8);
  EXPECT_EQ(this->world_.Names(), (Names{"a"}));
}

TYPED_TEST(BatchRenamerTest, CoincidingNewNamesGoToTheFirstInListOrder) {
  this->AddFiles({"xa", "ya"});
  this->state_.active_operation = ActiveOperation::Strip;
  this->state_.Text6 = "1";
  this->Select(this->state_.List2, {"xa", "ya"});

  BatchReport report = this->batch_.Command9_Click();

  ASSERT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(report.entries[0].kind, Kind::kDone);
  EXPECT_EQ(report.entries[1].kind, Kind::kKept);
  EXPECT_EQ(report.entries[1].new_name, "a");
  EXPECT_EQ(report.entries[1].reason, kNameExists);
  EXPECT_EQ(this->world_.Content("a"), "content of xa");
  EXPECT_EQ(this->world_.Content("ya"), "content of ya");
  EXPECT_TRUE(this->ui_.messages.empty());
}

TYPED_TEST(BatchRenamerTest, ANameTakenByALaterEntryIsRefusedWithoutASecondPass) {
  this->AddFiles({"a", "aa"});
  this->state_.active_operation = ActiveOperation::Replace;
  this->state_.Text8 = "a";
  this->state_.Text7 = "aa";
  this->Select(this->state_.List2, {"a", "aa"});

  BatchReport report = this->batch_.Command9_Click();

  ASSERT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(report.entries[0].kind, Kind::kKept);  // "aa" was still there
  EXPECT_EQ(report.entries[1].kind, Kind::kDone);  // "aa" -> "aaaa" frees "aa", too late
  EXPECT_EQ(this->Contents(), (std::vector<std::pair<std::string, std::string>>{
                                  {"a", "content of a"}, {"aaaa", "content of aa"}}));
}

TYPED_TEST(BatchRenamerTest, CaseOnlyChangesAreAppliedAndEqualNamesAreUnchanged) {
  this->AddFiles({"README.TXT", "lower.txt"});
  this->state_.active_operation = ActiveOperation::Case;
  this->state_.case_choice = CaseChoice::lowercase;
  this->Select(this->state_.List2, {"README.TXT", "lower.txt"});

  BatchReport report = this->batch_.Command9_Click();

  ASSERT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(report.entries[0].kind, Kind::kUnchanged);  // "lower.txt" comes first
  EXPECT_EQ(report.entries[1].kind, Kind::kDone);
  EXPECT_EQ(this->world_.Names(), (Names{"lower.txt", "readme.txt"}));
  EXPECT_EQ(this->world_.Content("readme.txt"), "content of README.TXT");
}

TYPED_TEST(BatchRenamerTest, HiddenEntriesAreNeverListedNorRenamed) {
  if (!TypeParam::HidesLeadingDot()) {
    GTEST_SKIP() << "this file system hides entries by attribute, not by a leading dot";
  }
  this->AddFiles({".hidden", "shown"});
  this->AddDirectories({".git", "src"});
  this->CommandLine({"-F", "*", "-C", "upper"});

  BatchReport report = this->batch_.Command9_Click();

  ASSERT_EQ(report.entries.size(), 1u);
  EXPECT_EQ(report.entries[0].new_name, "SHOWN");
  EXPECT_EQ(this->world_.Names(), (Names{".git", ".hidden", "SHOWN", "src"}));

  this->CommandLine({"-D", "-C", "upper"});
  report = this->batch_.Command2_Click();
  ASSERT_EQ(report.entries.size(), 1u);
  EXPECT_EQ(this->world_.Names(), (Names{".git", ".hidden", "SHOWN", "SRC"}));
}

TYPED_TEST(BatchRenamerTest, CommandLineFileMaskSelectsAndCountsTheBatch) {
  this->AddFiles({"b.JPG", "a.jpg", "c.png", "d.txt", "e"});
  // The app listed every file; the batch applies the mask itself and counts what it selects.
  this->CommandLine({"-F", "*.*", "-ND"});
  this->state_.args[3] = " *.jpg;*.PNG ";

  BatchReport report = this->batch_.Command9_Click();

  EXPECT_EQ(this->state_.file_mask, "*.jpg;*.PNG");
  EXPECT_EQ(this->state_.active_operation, ActiveOperation::Numbering);
  EXPECT_EQ(this->world_.Names(), (Names{"1 - c.png", "2 - b.JPG", "3 - a.jpg", "d.txt", "e"}));
  EXPECT_EQ(report.Count(Kind::kDone), 3u);
}

TYPED_TEST(BatchRenamerTest, CommandLineNumbersDirectoriesInNaturalOrder) {
  Names dirs;
  for (int i = 1; i <= 12; ++i) dirs.push_back("img" + std::to_string(i));
  this->AddDirectories(dirs);
  this->CommandLine({"-D", "-NA", "-L"});

  BatchReport report = this->batch_.Command2_Click();

  EXPECT_EQ(report.Count(Kind::kDone), 12u);
  EXPECT_EQ(this->world_.Content("02 - img2"), "tag of img2");
  EXPECT_EQ(this->world_.Content("10 - img10"), "tag of img10");
  EXPECT_EQ(this->world_.Content("12 - img12"), "tag of img12");
  EXPECT_EQ(this->world_.Names().size(), 12u);
}

TYPED_TEST(BatchRenamerTest, CommandLineDescendingNumberingSelectsDescending) {
  this->AddFiles({"a", "b", "c"});
  this->CommandLine({"-F", "*.*", "-nd"});

  this->batch_.Command9_Click();

  EXPECT_FALSE(this->state_.numbering.sortascending);
  EXPECT_EQ(this->world_.Names(), (Names{"1 - c", "2 - b", "3 - a"}));
}

TYPED_TEST(BatchRenamerTest, CommandLineStripRightKeepsExtensionOnlyForFiles) {
  this->AddFiles({"report.txt"});
  this->AddDirectories({"photos.old"});
  this->CommandLine({"-F", "*.*", "-SR", "2", "-noext"});
  this->batch_.Command9_Click();
  EXPECT_TRUE(this->state_.SmartCheck);
  EXPECT_EQ(this->world_.Content("repo.txt"), "content of report.txt");

  this->state_.SmartCheck = false;
  this->CommandLine({"-D", "-SR", "2", "-noext"});
  this->batch_.Command2_Click();
  EXPECT_FALSE(this->state_.SmartCheck);
  EXPECT_EQ(this->world_.Content("photos.o"), "tag of photos.old");
  EXPECT_TRUE(this->ui_.messages.empty());
}

TYPED_TEST(BatchRenamerTest, CommandLineLiteralDropsTheTrailingBlanksOfAbsentWords) {
  this->AddFiles({"a.txt", "b.txt"});
  this->CommandLine({"-F", "*.*", "-L", "$NAME"});

  BatchReport report = this->batch_.Command9_Click();

  EXPECT_EQ(report.Count(Kind::kUnchanged), 2u);
  EXPECT_EQ(this->world_.Names(), (Names{"a.txt", "b.txt"}));
}

TYPED_TEST(BatchRenamerTest, RejectedSwitchesRenameNothingAndUnload) {
  this->AddFiles({"a"});
  struct Row {
    Names words;
    bool wrong_commands_message;
  };
  const Row rows[] = {
      {{"-F", "*.*", "-C", "x"}, false},        {{"-F", "*.*", "-Q"}, false},
      {{"-F", "*.*", "-NA", "-X"}, true},       {{"-F", "*.*", "-NA", "-L", "3", "-S"}, false},
      {{"-F", "*.*", "-NA", "-L", "0"}, false},
  };
  for (const Row& row : rows) {
    this->state_.WrongCommand = false;
    this->ui_ = RecordingUiHost();
    this->CommandLine(row.words);
    BatchReport report = this->batch_.Command9_Click();
    EXPECT_FALSE(report.ran) << row.words[2];
    EXPECT_TRUE(this->state_.WrongCommand) << row.words[2];
    EXPECT_EQ(this->ui_.calls.back(), RecordingUiHost::Call::kUnload) << row.words[2];
    EXPECT_EQ(this->ui_.messages.size(), row.wrong_commands_message ? 1u : 0u) << row.words[2];
    if (row.wrong_commands_message) {
      EXPECT_EQ(this->ui_.messages[0].text, messages::kWrongCommands);
      EXPECT_EQ(this->ui_.messages[0].title, messages::kProgramTitle);
      EXPECT_EQ(this->ui_.messages[0].icon, MessageIcon::None);
    }
    EXPECT_EQ(this->world_.Names(), (Names{"a"}));
  }
  // The options read before the rejection stay set.
  EXPECT_TRUE(this->state_.numbering.sortleading);
}

TYPED_TEST(BatchRenamerTest, NoFileForTheMaskStopsBeforeTheSwitchIsRead) {
  this->AddFiles({"a.txt"});
  this->CommandLine({"-F", "*.doc", "-nonsense"});

  BatchReport report = this->batch_.Command9_Click();

  EXPECT_FALSE(report.ran);
  EXPECT_FALSE(this->state_.WrongCommand);
  EXPECT_TRUE(this->ui_.calls.empty());
}

TYPED_TEST(BatchRenamerTest, DirectoryBatchReadsItsSwitchEvenWithoutSubDirectories) {
  this->AddFiles({"a.txt"});
  this->CommandLine({"-D", "-nonsense"});
  this->batch_.Command2_Click();
  EXPECT_TRUE(this->state_.WrongCommand);
  EXPECT_EQ(this->ui_.calls, (std::vector<RecordingUiHost::Call>{RecordingUiHost::Call::kUnload}));

  // A good switch on a folder without sub-directories ends silently.
  this->state_.WrongCommand = false;
  this->ui_ = RecordingUiHost();
  this->CommandLine({"-D", "-C", "upper"});
  EXPECT_FALSE(this->batch_.Command2_Click().ran);
  EXPECT_FALSE(this->state_.WrongCommand);
  EXPECT_TRUE(this->ui_.calls.empty());
}

TYPED_TEST(BatchRenamerTest, NumberingRefusalShowsItsMessageOncePerEntry) {
  this->AddFiles({"a", "b", "c", "d"});
  this->state_.active_operation = ActiveOperation::Numbering;
  this->state_.numbering.sortstartat = true;
  this->state_.numbering.sortstartatnum = "-2";
  this->Select(this->state_.List2, {"a", "b", "d"});

  BatchReport report = this->batch_.Command9_Click();

  // Positions 1, 2, 3 start at -2: the first two are erroneous, the third is 0.
  ASSERT_EQ(report.entries.size(), 3u);
  EXPECT_EQ(report.entries[0].kind, Kind::kNoName);
  EXPECT_EQ(report.entries[1].kind, Kind::kNoName);
  EXPECT_EQ(report.entries[2].kind, Kind::kDone);
  ASSERT_EQ(this->ui_.messages.size(), 2u);
  EXPECT_EQ(this->ui_.messages[1].text, messages::kErroneousValues);
  EXPECT_EQ(this->ui_.messages[1].icon, MessageIcon::Critical);
  EXPECT_EQ(this->world_.Names(), (Names{"0 - d", "a", "b", "c"}));
}

TYPED_TEST(BatchRenamerTest, UnsafeNewNamesAreRefusedAndNothingLeavesTheFolder) {
  struct Row {
    std::string name;
    std::string find;
    std::string with;
    std::string reason;
  };
  const Row rows[] = {
      {"x", "x", "", kNewNameEmpty},
      {"y", "y", ".", kNewNameDots},
      {"z", "z", "..", kNewNameDots},
      {"up", "up", "../up", kNewNameHoldsSeparator},
      {"sub", "s", "sibling/", kNewNameHoldsSeparator},
      {"blank", "blank", "   ", kNewNameEmpty},
  };
  for (const Row& row : rows) {
    this->AddFiles({row.name});
    this->state_.active_operation = ActiveOperation::Replace;
    this->state_.Text8 = row.find;
    this->state_.Text7 = row.with;
    this->Select(this->state_.List2, {row.name});
    BatchReport report = this->batch_.Command9_Click();
    ASSERT_EQ(report.entries.size(), 1u) << row.name;
    EXPECT_EQ(report.entries[0].kind, Kind::kKept) << row.name;
    EXPECT_EQ(report.entries[0].reason, row.reason) << row.name;
    EXPECT_EQ(this->world_.Content(row.name), "content of " + row.name);
  }
  EXPECT_TRUE(this->world_.NamesIn(this->world_.sibling()).empty());
}

TYPED_TEST(BatchRenamerTest, BlanksAtTheEndOfANewNameAreDropped) {
  this->AddFiles({"ab", "cd"});
  this->state_.active_operation = ActiveOperation::Replace;
  this->state_.Text8 = "b";
  this->state_.Text7 = "c  ";
  this->Select(this->state_.List2, {"ab"});
  BatchReport report = this->batch_.Command9_Click();
  ASSERT_EQ(report.entries.size(), 1u);
  EXPECT_EQ(report.entries[0].new_name, "ac");
  EXPECT_EQ(this->world_.Names(), (Names{"ac", "cd"}));
}

TYPED_TEST(BatchRenamerTest, ANameThatIsNotUtf8IsKeptAndReported) {
  if (!TypeParam::HoldsNamesNotUtf8()) {
    GTEST_SKIP() << "this file system cannot hold a name that is not UTF-8";
  }
  const std::string bad = "caf\xe9";
  this->AddFiles({bad, "ok"});
  this->CommandLine({"-F", "*", "-C", "upper"});
  BatchReport report = this->batch_.Command9_Click();
  ASSERT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(report.entries[0].old_name, bad);
  EXPECT_EQ(report.entries[0].kind, Kind::kKept);
  EXPECT_EQ(report.entries[1].kind, Kind::kDone);
  EXPECT_EQ(this->world_.Names(), (Names{"OK", bad}));
}

TYPED_TEST(BatchRenamerTest, ProgressHookCanStopTheBatch) {
  this->AddFiles({"a", "b", "c", "d"});
  std::vector<std::pair<std::size_t, std::size_t>> seen;
  this->batch_.SetProgressHook([&](std::size_t done, std::size_t total) {
    seen.emplace_back(done, total);
    return done < 2;
  });
  this->CommandLine({"-F", "*", "-C", "upper"});
  BatchReport report = this->batch_.Command9_Click();

  EXPECT_TRUE(report.cancelled);
  EXPECT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {1, 4}, {2, 4}}));
  EXPECT_EQ(this->world_.Names(), (Names{"A", "B", "c", "d"}));
}

// Faults only the in-memory file system can stage.
class BatchFaultTest : public ::testing::Test {
 protected:
  BatchFaultTest() {
    state_.files_folder = world_.folder();
    state_.dirs_folder = world_.folder();
  }
  MemoryWorld world_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_{state_, world_.fs(), clock_, ui_};
};

TEST_F(BatchFaultTest, AFailureMidBatchLeavesTheRestGoing) {
  for (const char* name : {"a", "b", "c", "d", "e"}) world_.AddFile(name, name);
  MemoryFileSystem& memory = world_.memory();
  memory.FailRenameOf(world_.folder(), "b",
                      Status::Error(Status::Code::kPermission, "permission denied"));
  memory.MarkInUse(world_.folder(), "c");
  memory.VanishBeforeRename(world_.folder(), "d");
  state_.active_operation = ActiveOperation::Extension;
  state_.extad = ".bak";
  batch_.File1_PathChange();
  state_.List2.SelectAll(true);

  BatchReport report = batch_.Command9_Click();

  ASSERT_EQ(report.entries.size(), 5u);
  EXPECT_EQ(report.entries[0].kind, Kind::kDone);
  EXPECT_EQ(report.entries[1].kind, Kind::kKept);
  EXPECT_EQ(report.entries[1].reason, "permission denied");
  EXPECT_EQ(report.entries[2].kind, Kind::kKept);
  EXPECT_FALSE(report.entries[2].reason.empty());
  EXPECT_EQ(report.entries[3].kind, Kind::kKept);
  EXPECT_EQ(report.entries[4].kind, Kind::kDone);
  EXPECT_EQ(memory.rename_calls().size(), 5u);
  EXPECT_EQ(world_.Names(), (Names{"a.bak", "b", "c", "e.bak"}));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(BatchFaultTest, CaseOnlyRenameOnACaseInsensitiveFileSystem) {
  world_.memory().SetCaseInsensitive(true);
  world_.AddFile("Photo.JPG", "p");
  state_.active_operation = ActiveOperation::Case;
  state_.case_choice = CaseChoice::lowercase;
  batch_.File1_PathChange();
  state_.List2.SelectAll(true);
  BatchReport report = batch_.Command9_Click();
  ASSERT_EQ(report.entries.size(), 1u);
  EXPECT_EQ(report.entries[0].kind, Kind::kDone);
  EXPECT_EQ(world_.Names(), (Names{"photo.jpg"}));
}

TEST_F(BatchFaultTest, RefusedNamesNeverReachTheFileSystem) {
  world_.AddFile("a", "a");
  state_.active_operation = ActiveOperation::Replace;
  state_.Text8 = "a";
  state_.Text7 = "/";
  batch_.File1_PathChange();
  state_.List2.SelectAll(true);
  batch_.Command9_Click();
  EXPECT_TRUE(world_.memory().rename_calls().empty());
}

TEST_F(BatchFaultTest, ARootFolderGetsNoDoubledSeparator) {
  MemoryFileSystem& memory = world_.memory();
  memory.AddFile("/", "boot.txt", "b");
  state_.files_folder = "/";
  state_.active_operation = ActiveOperation::Case;
  state_.case_choice = CaseChoice::uppercase;
  batch_.File1_PathChange();
  ASSERT_EQ(state_.List2.entries(), (Names{"boot.txt"}));
  state_.List2.SelectAll(true);

  BatchReport report = batch_.Command9_Click();

  ASSERT_EQ(memory.rename_calls().size(), 1u);
  EXPECT_EQ(memory.rename_calls()[0].folder, "/");
  EXPECT_EQ(world_.fs().JoinPath(report.folder, report.entries[0].old_name), "/boot.txt");
  EXPECT_EQ(world_.fs().JoinPath(report.folder, report.entries[0].new_name), "/BOOT.TXT");
  EXPECT_EQ(memory.Content("/", "BOOT.TXT"), "b");
}

TEST_F(BatchFaultTest, AFolderThatCannotBeReadLeavesAnEmptyList) {
  world_.AddFile("a", "a");
  batch_.File1_PathChange();
  ASSERT_EQ(state_.List2.size(), 1u);
  state_.files_folder = "/no/such/folder";
  EXPECT_FALSE(batch_.File1_PathChange().ok());
  EXPECT_EQ(state_.List2.size(), 0u);
}

}  // namespace
}  // namespace kestro
