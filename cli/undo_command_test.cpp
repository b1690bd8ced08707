// "kestro --undo" and "--undo --list" over a folder in memory and a journal folder on disk: the
// batch is named before it is taken back, a dry run gives its folder first, the list names every
// kept batch, and a missing journal folder is said.
#include "cli/undo_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "batch/undo_text.h"
#include "cli/command_line_mode.h"
#include "cli/headless.h"
#include "engine/command_args.h"
#include "platform/memory_file_system.h"
#include "platform/settings_store.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

class UndoCommandTest : public ::testing::Test {
 protected:
  UndoCommandTest() {
    fs_.AddFile("/photos", "a", "a");
    fs_.AddFile("/photos", "b", "b");
  }

  int Run(const std::string& text) {
    out_.str("");
    err_.str("");
    WindowState state;
    return RunHeadless(SplitArgumentText(text), state, {fs_, settings_, clock_, &journal_}, out_,
                       err_);
  }

  MemoryFileSystem fs_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{2026, 12, 7}};
  TempTree state_;
  JournalFolder journal_{state_.NewFolder(), [](std::string_view path) { return path[0] == '/'; }};
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(UndoCommandTest, UndoNamesItsBatchFirstAndTheListNamesEveryKeptOne) {
  ASSERT_EQ(Run("/photos -F * -R a c"), kExitDone);
  ASSERT_EQ(Run("/photos -F * -R b d"), kExitDone);
  Journal newest;
  ASSERT_TRUE(journal_.Newest(&newest).ok());
  const std::string when = LocalTimeText(newest.begun);
  const std::string subject = "1 entry in '/photos', renamed " + when + " from the command line";

  EXPECT_EQ(Run("--undo --dry-run"), kExitDone);
  EXPECT_EQ(out_.str(), "'/photos':\n'd' -> 'b'\n");
  EXPECT_EQ(err_.str(), "kestro: would take back " + subject + "\n");
  EXPECT_EQ(Run("--undo"), kExitDone);
  EXPECT_EQ(err_.str(), "kestro: taking back " + subject + "\n");
  EXPECT_EQ(fs_.AllNames("/photos"), (std::vector<std::string>{"b", "c"}));

  EXPECT_EQ(Run("--undo --list"), kExitDone);
  const std::string line = when + "  '/photos'  1 entry from the command line, ";
  EXPECT_EQ(out_.str(), line + "taken back\n" + line + "not taken back\n");
  EXPECT_EQ(ReadProgramCall(SplitArgumentText("--undo --list x")).kind, ProgramCall::Kind::kHelp);
}

TEST_F(UndoCommandTest, WithoutAJournalFolderTheBatchAndTheUndoSayWhy) {
  journal_ = JournalFolder::Unavailable("no folder for the journal: HOME is not set");
  EXPECT_EQ(Run("/photos -F * -R a c"), kExitDone);
  EXPECT_EQ(err_.str(),
            "kestro: the batch cannot be undone: no folder for the journal: HOME is not set\n");
  for (const char* undo : {"--undo", "--undo --list"}) {
    EXPECT_EQ(Run(undo), kExitEntriesKept) << undo;
    EXPECT_EQ(err_.str(),
              "kestro: no journal to undo from: no folder for the journal: HOME is not set\n");
  }
}

}  // namespace
}  // namespace kestro
