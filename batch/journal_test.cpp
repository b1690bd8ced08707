// The journal read back: where and when its batch was made, and a reader that neither crashes,
// hangs nor takes without bound whatever a damaged or hostile journal file holds.
#include "batch/journal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "batch/test_folder.h"
#include "batch/undo_text.h"
#include "platform/fuzz_test_support.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

constexpr char kGoodJournal[] =
    "kestro journal 1\nfolder /work/f\\x0Aolder\nfrom command-line\nbegun 1796000000\n"
    "rename a\\\\b\tc\nrename d\te.x\nmade 0 10\ntried 2\nmade 1 0\nundone\n";

bool Slash(std::string_view path) { return path.starts_with('/'); }

TEST(JournalTest, ABatchRecordsWhereAndWhenItWasMadeAndOlderJournalsStillRead) {
  TestFolder folder;
  TempTree temp;
  const stdfs::path state = TestPath(temp.NewFolder());
  JournalFolder journals(state.string(), Slash);
  folder.Add({"a", "b"});
  folder.SelectAll(/*files=*/true);
  folder.state.active_operation = ActiveOperation::Extension;
  folder.state.extad = ".x";
  folder.batch.SetJournal(&journals);
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  const BatchReport report = folder.batch.Command10_Click();
  Journal made;
  ASSERT_TRUE(journals.Newest(&made).ok());
  EXPECT_EQ(made.path, report.journal);
  EXPECT_EQ(made.origin, Journal::Origin::kWindow);
  EXPECT_LE(std::abs(made.begun - now), 5);
  EXPECT_EQ(UndoSubject(made),
            "2 entries in '/work/folder', renamed " + LocalTimeText(made.begun) + " in the window");

  // An older journal says neither where nor when; its file's name tells when.
  std::ofstream(state / "00001796000000000000-42.journal", std::ios::binary)
      << "kestro journal 1\nfolder /work/folder\nrename b.x\tb.y\nmade 0 1\n";
  std::ofstream(made.path, std::ios::app) << "undone\n";  // "\r\n" on Windows
  Journal older;
  ASSERT_TRUE(journals.Newest(&older).ok());
  EXPECT_EQ(older.origin, Journal::Origin::kUnknown);
  EXPECT_EQ(older.begun, 1796000000);
  older.begun = 0;
  EXPECT_EQ(UndoSubject(older), "1 entry in '/work/folder', renamed");
}

TEST(JournalTest, UndoAsksFirstUnlessThisWindowMadeTheBatchOnTheFolderItShows) {
  Journal journal;
  journal.path = "/state/s1.journal";
  journal.folder = "/photos";
  EXPECT_FALSE(UndoAsksFirst(journal, {"/state/s0.journal", journal.path}, "/photos"));
  EXPECT_TRUE(UndoAsksFirst(journal, {journal.path}, "/photos/trip"));
  EXPECT_TRUE(UndoAsksFirst(journal, {"/state/s0.journal"}, "/photos"));
  EXPECT_TRUE(UndoAsksFirst(journal, {}, "/photos"));
}

// Mutated journals: none crashes the reader, trips the sanitizers or hangs it; what it accepts
// names an absolute folder and no more renames than a journal holds.
TEST(JournalTest, TheReaderTakesDamagedJournalsInItsStride) {
  Journal good;
  ASSERT_TRUE(ReadJournalText(kGoodJournal, &good, Slash).ok());
  ASSERT_EQ(good.entries.size(), 2u);
  EXPECT_EQ(good.folder, "/work/f\nolder");
  EXPECT_EQ(good.entries[0].old_name, "a\\b");
  EXPECT_EQ(good.entries[1].made, JournalEntry::Made::kNo);
  std::size_t accepted = 0;
  testing::ForEachMutatedInput(
      {kGoodJournal, "kestro journal 1\nfolder /\nrename a\tb\nmade 0 1\n"},
      {.count = 20000, .time = std::chrono::milliseconds(1000)}, [&](const std::string& bytes) {
        Journal journal;
        if (!ReadJournalText(bytes, &journal, Slash).ok()) return;
        ++accepted;
        EXPECT_TRUE(Slash(journal.folder)) << bytes;
        EXPECT_LE(journal.entries.size(), kMaxJournalRenames);
      });
  EXPECT_GT(accepted, 0u);
}

}  // namespace
}  // namespace kestro
