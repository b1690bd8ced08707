// The journal folder as anyone could have filled it, on POSIX: a FIFO or a link to a device named
// like a journal is passed over at once, never read; without HOME and XDG_STATE_HOME a batch says
// it cannot be undone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "batch/journal.h"
#include "batch/test_folder.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

TEST(JournalPosixTest, AFifoOrALinkNamedLikeAJournalIsPassedOver) {
  TempTree temp;
  const stdfs::path state = TestPath(temp.NewFolder());
  std::ofstream(state / "00000000000000000001-1.journal")
      << "kestro journal 1\nfolder /work/folder\nrename a\ta.x\nmade 0 1\ntried 1\n";
  ASSERT_EQ(mkfifo((state / "s0000000000000000008.journal").c_str(), 0600), 0);
  stdfs::create_symlink("/dev/zero", state / "s0000000000000000009.journal");
  const JournalFolder journals(state.string());
  Journal newest;
  ASSERT_TRUE(journals.Newest(&newest).ok());  // neither waits for a writer nor reads forever
  EXPECT_EQ(newest.entries.at(0).old_name, "a");
  EXPECT_NE(journals.Read((state / "s0000000000000000008.journal").string(), &newest)
                .message()
                .find("is not a regular file"),
            std::string::npos);
  EXPECT_FALSE(journals.Read((state / "s0000000000000000009.journal").string(), &newest).ok());
}

TEST(JournalPosixTest, WithoutAStateFolderABatchSaysItCannotBeUndone) {
  const char* home = std::getenv("HOME");
  const std::string saved_home = home != nullptr ? home : "";
  unsetenv("HOME");
  unsetenv("XDG_STATE_HOME");
  JournalFolder journals = UserJournalFolder();
  if (!saved_home.empty()) setenv("HOME", saved_home.c_str(), 1);
  TestFolder folder;
  folder.Add({"a"});
  folder.SelectAll(/*files=*/true);
  folder.state.active_operation = ActiveOperation::Extension;
  folder.state.extad = ".x";
  folder.batch.SetJournal(&journals);
  const BatchReport report = folder.batch.Command10_Click();
  EXPECT_EQ(TestFolder::Kinds(report), "D");
  EXPECT_EQ(report.journal_error,
            "no folder for the journal: neither XDG_STATE_HOME nor HOME is an absolute path");
}

}  // namespace
}  // namespace kestro
