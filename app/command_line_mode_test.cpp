#include "app/command_line_mode.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/pickers.h"
#include "batch/recording_ui_host.h"
#include "engine/messages.h"
#include "platform/clock.h"
#include "platform/memory_file_system.h"
#include "platform/settings_store.h"

namespace kestro {
namespace {

constexpr char kPhotos[] = "/home/u/Photos";
constexpr char kOther[] = "/home/u/Other";

class CommandLineModeTest : public ::testing::Test {
 protected:
  CommandLineModeTest() {
    fs_.AddFolder(kPhotos);
    fs_.AddFolder(kOther);
    fs_.SetWorkingFolder("/home/u");
  }

  CommandLineRun Run(const std::string& text) {
    BatchRenamer batch(state_, fs_, clock_, ui_);
    CommandLineMode mode(state_, batch, fs_, settings_);
    return mode.Run(text);
  }

  std::string LastDir() {
    return settings_.Get(kSettingsApplication, kSettingsSection, kLastDirKey, "<none>");
  }

  MemoryFileSystem fs_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  WindowState state_;
};

TEST_F(CommandLineModeTest, FilesOfTheMaskGetTheOperationAndNothingElseMoves) {
  fs_.AddFile(kPhotos, "a.doc");
  fs_.AddFile(kPhotos, "b.txt");
  fs_.AddFile(kOther, "c.doc");
  const CommandLineRun run = Run("/home/u/Photos -F *.doc -C upper");
  EXPECT_FALSE(run.wrong_command);
  EXPECT_EQ(fs_.AllNames(kPhotos), (std::vector<std::string>{"A.DOC", "b.txt"}));
  EXPECT_EQ(fs_.AllNames(kOther), (std::vector<std::string>{"c.doc"}));
  EXPECT_EQ(ExitStatus(run), kExitDone);
  EXPECT_EQ(LastDir(), kPhotos);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(CommandLineModeTest, TargetIsComparedAfterUpperCasing) {
  fs_.AddDirectory(kPhotos, "abc");
  fs_.AddDirectory(kPhotos, "xyz1");
  fs_.AddFile(kPhotos, "file");
  const CommandLineRun run = Run("/home/u/Photos -d -SL 2");
  EXPECT_FALSE(run.wrong_command);
  EXPECT_EQ(fs_.AllNames(kPhotos), (std::vector<std::string>{"c", "file", "z1"}));
  EXPECT_EQ(state_.args[2], "-D");
  EXPECT_EQ(ExitStatus(run), kExitDone);
}

TEST_F(CommandLineModeTest, QuotesKeepAFolderWithBlanksTogether) {
  fs_.AddFile("/home/u/My Photos", "Mixed.DOC");
  const CommandLineRun run = Run("\"/home/u/My Photos\" -F *.doc -C lower");
  EXPECT_FALSE(run.wrong_command);
  EXPECT_EQ(run.folder, "/home/u/My Photos");
  EXPECT_EQ(fs_.AllNames("/home/u/My Photos"), (std::vector<std::string>{"mixed.doc"}));
}

TEST_F(CommandLineModeTest, ASecondBlankShiftsEveryWordAndRenamesNothing) {
  fs_.AddFile(kPhotos, "a.doc");
  const CommandLineRun run = Run("/home/u/Photos  -F *.doc -C upper");
  EXPECT_TRUE(run.wrong_command);
  EXPECT_EQ(state_.args[2], "");
  EXPECT_EQ(state_.args[3], "-F");
  EXPECT_TRUE(fs_.rename_calls().empty());
  EXPECT_EQ(ExitStatus(run), kExitWrongCommand);
}

TEST_F(CommandLineModeTest, HelpRequestsAndLoneWordsRenameNothingAndAskForHelp) {
  fs_.AddFile("/home/u", "a.doc");
  for (const char* text : {"/?", "?", "--help", "-?", "/HELP", "/home/u/Photos", "\"\""}) {
    SCOPED_TRACE(text);
    const CommandLineRun run = Run(text);
    EXPECT_TRUE(run.wrong_command);
    EXPECT_TRUE(run.folder_error.empty()) << run.folder_error;
    EXPECT_EQ(ExitStatus(run), kExitWrongCommand);
  }
  EXPECT_TRUE(fs_.rename_calls().empty());
}

TEST_F(CommandLineModeTest, AFolderAloneIsStillRemembered) {
  const CommandLineRun run = Run("Photos");
  EXPECT_TRUE(run.wrong_command);
  EXPECT_TRUE(run.folder_found);
  EXPECT_EQ(LastDir(), kPhotos);
}

TEST_F(CommandLineModeTest, AFolderThatDoesNotExistRenamesNothingAnywhere) {
  // The lists would otherwise still stand on the last folder chosen.
  fs_.AddFile(kOther, "a.doc");
  fs_.AddFile("/home/u", "b.doc");
  settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, kOther);
  state_.files_folder = kOther;
  state_.dirs_folder = kOther;
  const CommandLineRun run = Run("/home/u/Missing -F *.doc -C upper");
  EXPECT_TRUE(run.wrong_command);
  EXPECT_FALSE(run.folder_found);
  EXPECT_FALSE(run.report.has_value());
  EXPECT_NE(run.folder_error.find("'/home/u/Missing'"), std::string::npos) << run.folder_error;
  EXPECT_TRUE(fs_.rename_calls().empty());
  EXPECT_EQ(LastDir(), kOther);
  EXPECT_EQ(ExitStatus(run), kExitWrongCommand);
}

TEST_F(CommandLineModeTest, AnEmptyFirstWordIsNoFolderEvenThoughItWouldResolve) {
  fs_.AddFile("/home/u", "b.doc");
  const CommandLineRun run = Run("\"\" -F *.doc -C upper");
  EXPECT_TRUE(run.wrong_command);
  EXPECT_FALSE(run.folder_found);
  EXPECT_TRUE(fs_.rename_calls().empty());
}

TEST_F(CommandLineModeTest, RelativeFolderAndTrailingSeparatorNameTheSameFolder) {
  fs_.AddFile(kPhotos, "a.doc");
  EXPECT_FALSE(Run("Photos/ -F *.doc -C upper").wrong_command);
  EXPECT_EQ(fs_.AllNames(kPhotos), (std::vector<std::string>{"A.DOC"}));
  EXPECT_EQ(LastDir(), kPhotos);
}

TEST_F(CommandLineModeTest, AWrongTargetRunsTheFileBranchWithWordThreeAsMaskThenAsksForHelp) {
  fs_.AddFile(kPhotos, "a.doc");
  fs_.AddFile(kPhotos, "b.txt");
  const CommandLineRun run = Run("/home/u/Photos -X *.doc -C upper");
  EXPECT_TRUE(run.wrong_command);
  EXPECT_EQ(fs_.AllNames(kPhotos), (std::vector<std::string>{"A.DOC", "b.txt"}));
  EXPECT_EQ(ExitStatus(run), kExitWrongCommand);
}

TEST_F(CommandLineModeTest, ARejectedSwitchIsAWrongCommandLine) {
  fs_.AddFile(kPhotos, "a.doc");
  fs_.AddDirectory(kPhotos, "dir");
  for (const char* text : {"/home/u/Photos -F *.doc -C x", "/home/u/Photos -D -C title",
                           "/home/u/Photos -D -Q", "/home/u/Photos -F *.doc -NA -L 0"}) {
    SCOPED_TRACE(text);
    const CommandLineRun run = Run(text);
    EXPECT_TRUE(run.wrong_command);
    EXPECT_EQ(ExitStatus(run), kExitWrongCommand);
  }
  EXPECT_TRUE(fs_.rename_calls().empty());
}

TEST_F(CommandLineModeTest, WrongCommandsIsShownAsAMessage) {
  fs_.AddFile(kPhotos, "a.doc");
  const CommandLineRun run = Run("/home/u/Photos -F *.doc -NA -X");
  EXPECT_TRUE(run.wrong_command);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, messages::kWrongCommands);
  EXPECT_TRUE(fs_.rename_calls().empty());
}

TEST_F(CommandLineModeTest, NothingToRenameEndsSilentlyWithSuccess) {
  fs_.AddFile(kPhotos, "a.txt");
  for (const char* text : {"/home/u/Photos -F *.doc -C upper", "/home/u/Photos -D -SL 1"}) {
    SCOPED_TRACE(text);
    const CommandLineRun run = Run(text);
    EXPECT_FALSE(run.wrong_command);
    EXPECT_EQ(ExitStatus(run), kExitDone);
  }
  EXPECT_TRUE(fs_.rename_calls().empty());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(CommandLineModeTest, ATakenNameKeepsTheEntryAndGivesOneErrorLine) {
  fs_.AddFile(kPhotos, "a.doc", "first");
  fs_.AddFile(kPhotos, "A.DOC", "second");
  fs_.AddFile(kPhotos, "b.doc");
  const CommandLineRun run = Run("/home/u/Photos -F *.doc -C upper");
  EXPECT_FALSE(run.wrong_command);
  EXPECT_EQ(ExitStatus(run), kExitEntriesKept);
  EXPECT_EQ(fs_.Content(kPhotos, "a.doc"), "first");
  EXPECT_EQ(fs_.Content(kPhotos, "A.DOC"), "second");
  EXPECT_TRUE(fs_.Exists(kPhotos, "B.DOC"));
  ASSERT_TRUE(run.report.has_value());
  ASSERT_EQ(run.report->Count(EntryOutcome::Kind::kKept), 1u);
  std::string reason;
  for (const EntryOutcome& entry : run.report->entries) {
    if (entry.kind == EntryOutcome::Kind::kKept) reason = entry.reason;
  }
  EXPECT_FALSE(reason.empty());
  std::ostringstream err;
  WriteErrorLines(run, err);
  EXPECT_EQ(err.str(), "kestro: cannot rename 'a.doc' to 'A.DOC': " + reason + "\n");
}

TEST_F(CommandLineModeTest, EntriesWithoutANameExitWithOneAndSayWhyOncePerEntry) {
  fs_.AddFile(kPhotos, "a.doc");
  fs_.AddFile(kPhotos, "b.doc");
  const CommandLineRun run = Run("/home/u/Photos -F *.doc -NA -L 12");
  EXPECT_FALSE(run.wrong_command);
  EXPECT_EQ(ExitStatus(run), kExitEntriesKept);
  EXPECT_TRUE(fs_.rename_calls().empty());
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, messages::kErroneousValues);
  std::ostringstream err;
  WriteErrorLines(run, err);
  EXPECT_EQ(err.str(), "");
}

TEST_F(CommandLineModeTest, DirectoriesAreNumberedInListOrder) {
  for (const char* name : {"img10", "img2", "img1"}) fs_.AddDirectory(kPhotos, name);
  const CommandLineRun run = Run("/home/u/Photos -D -ND");
  EXPECT_FALSE(run.wrong_command);
  EXPECT_EQ(fs_.AllNames(kPhotos), (std::vector<std::string>{"1 - img10", "2 - img2", "3 - img1"}));
}

struct ExitCase {
  const char* label;
  bool wrong;
  std::vector<EntryOutcome::Kind> kinds;
  int status;
};

TEST(ExitStatusTest, FollowsTheWorstOutcome) {
  using K = EntryOutcome::Kind;
  const std::vector<ExitCase> cases = {
      {"nothing ran", false, {}, kExitDone},
      {"all done", false, {K::kDone, K::kUnchanged}, kExitDone},
      {"one kept", false, {K::kDone, K::kKept}, kExitEntriesKept},
      {"one without a name", false, {K::kNoName, K::kDone}, kExitEntriesKept},
      {"wrong beats kept", true, {K::kKept}, kExitWrongCommand},
      {"wrong with nothing", true, {}, kExitWrongCommand},
  };
  for (const ExitCase& c : cases) {
    CommandLineRun run;
    run.wrong_command = c.wrong;
    if (!c.kinds.empty()) {
      run.report.emplace();
      for (K kind : c.kinds) run.report->entries.push_back(EntryOutcome{"o", "n", kind, "r"});
    }
    EXPECT_EQ(ExitStatus(run), c.status) << c.label;
  }
}

TEST(WriteErrorLinesTest, OneLinePerRefusalInBatchOrderAfterTheFolderLine) {
  CommandLineRun run;
  run.folder_error = "'x': no such folder";
  run.report.emplace();
  run.report->entries = {
      {"b", "B", EntryOutcome::Kind::kKept, "a file of that name exists"},
      {"c", "C", EntryOutcome::Kind::kDone, ""},
      {"a", "x/y", EntryOutcome::Kind::kKept, "the new name holds a path separator"},
      {"d", "", EntryOutcome::Kind::kNoName, ""},
  };
  std::ostringstream err;
  WriteErrorLines(run, err);
  EXPECT_EQ(err.str(),
            "kestro: cannot use folder 'x': no such folder\n"
            "kestro: cannot rename 'b' to 'B': a file of that name exists\n"
            "kestro: cannot rename 'a' to 'x/y': the new name holds a path separator\n");
}

}  // namespace
}  // namespace kestro
