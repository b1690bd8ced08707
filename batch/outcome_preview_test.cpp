// The outcome preview against the real batch: for every entry it says what "Rename!" then does,
// and why a name is kept.
#include "batch/outcome_preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/rename_str.h"
#include "batch/test_folder.h"
#include "platform/memory_file_system.h"
#include "platform/name_rules.h"
#include "platform/test_photos.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;
constexpr char kFolder[] = "/f";

// The preview in one line: a word per row, "renamed", "unchanged", "refused", "no-name", or who
// holds the name: "earlier:<entry>", "later:<entry>", "present:<entry>"; or "stop: <message>".
std::string Summary(const OutcomePreview& preview) {
  if (preview.stopped_at_check) return "stop: " + preview.check.text;
  std::string out;
  for (const PreviewRow& row : preview.rows) {
    static const char* const kWords[] = {
        "renamed", "unchanged", "earlier:", "later:", "present:", "refused", "no-name", "failed"};
    out += (out.empty() ? "" : " ") + std::string(kWords[static_cast<int>(row.why)]) + row.taken_by;
  }
  return out;
}

struct Scenario {
  bool files;
  Names entries;   // a directory's name ends in "/"
  Names selected;  // empty: every entry of the page
  ActiveOperation operation;
  // The page's field: Strip's count, Replace's "A:", Case "lower" or "upper", Extension's text,
  // Numbering's start position (empty: unchecked). Then Strip's side ("L": from the left) or
  // Replace's "B:".
  const char* a;
  const char* b;
  const char* expected;
  bool case_insensitive = false;  // the folder takes case twins for one name
};

// Previews `s` in the in-memory folder, which stays as it was. (That "Rename!" then does what the
// preview shows is checked on random real folders.)
OutcomePreview Preview(const Scenario& s) {
  TestFolder folder;
  folder.fs.SetCaseInsensitive(s.case_insensitive);
  folder.Add(s.entries);
  s.selected.empty() ? folder.SelectAll(s.files) : folder.Select(s.files, s.selected);
  WindowState& state = folder.state;
  state.active_operation = s.operation;
  state.Text6 = state.Text8 = state.extad = state.numbering.sortstartatnum = s.a;
  state.leftoption = std::string(s.b) == "L";
  state.Text7 = s.b;
  state.case_choice = std::string(s.a) == "upper" ? CaseChoice::uppercase : CaseChoice::lowercase;
  state.numbering.sortstartat = *s.a != '\0';
  FolderNames names;
  EXPECT_TRUE(ReadFolderNames(folder.fs, TestFolder::kFolder, &names).ok());
  names.case_insensitive = s.case_insensitive;
  const OutcomePreview preview = PreviewBatch(state, folder.clock, folder.fs, names);
  EXPECT_TRUE(folder.fs.rename_calls().empty()) << "the preview touched the folder";
  return preview;
}

TEST(OutcomePreviewTest, SaysWhatTheBatchDoesAndWhoHoldsATakenName) {
  using Op = ActiveOperation;
  // clang-format off
  const Scenario scenarios[] = {
      // Each wants the next one's name, free only once the next has gone: in one pass only the
      // last moves, the one before it waits for a name still to be freed, the first for one
      // that stays.
      {true, {"a", "a.x", "a.x.x"}, {}, Op::Extension, ".x", "", "present:a.x later:a.x.x renamed"},
      {true, {"abc", "abcd"}, {}, Op::Strip, "1", "R", "renamed renamed"},
      {true, {"1a", "2a"}, {}, Op::Strip, "1", "L", "renamed earlier:1a"},
      // Names held by an unselected entry, a hidden one, one of the other kind.
      {true, {"A", "B", "C", "a", ".c", "b/"}, {"A", "B", "C"}, Op::Case, "lower", "",
       "present:a present:b renamed"},
      // A name that would hide the entry is refused, whether a hidden one holds it or not.
      {false, {"c/", "d/", ".c"}, {}, Op::Replace, "c", ".c", "refused unchanged"},
      {true, {"Photo.JPG", "notes.txt"}, {}, Op::Case, "lower", "", "unchanged renamed"},
      {true, {"ab", "x", "xy"}, {}, Op::Replace, "x", ".", "unchanged refused refused"},
      {true, {"a", "b"}, {}, Op::Numbering, "-5", "", "no-name no-name"},
      {true, {"a"}, {}, Op::Replace, "", "",
       "stop: Error! You need to fill in all required fields!"},
      {false, {"a/"}, {"none"}, Op::Case, "lower", "",
       "stop: You need to select some directories to process!"},
      // Case twins are one name: "B" cannot become "b.txt" while "B.TXT" is there, though a
      // change of case alone goes through.
      {true, {"A", "B", "B.TXT"}, {"A", "B"}, Op::Replace, "b", "b.txt",
       "unchanged present:B.TXT", true},
  };
  // clang-format on
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.expected);
    EXPECT_EQ(Summary(Preview(s)), s.expected);
  }
}

TEST(OutcomePreviewTest, EachKeptNameIsExplainedInWords) {
  using Op = ActiveOperation;
  const OutcomePreview earlier = Preview({true, {"1a", "2a"}, {}, Op::Strip, "1", "L", ""});
  EXPECT_EQ(DescribeRow(earlier.rows.at(1)),
            "would keep its name: '1a' gets this name earlier in the batch");
  const OutcomePreview refused = Preview({true, {"x"}, {}, Op::Replace, "x", "a/b", ""});
  EXPECT_EQ(DescribeRow(refused.rows.at(0)),
            std::string("would keep its name: ") + kNewNameHoldsSeparator);
  const OutcomePreview no_name = Preview({true, {"a"}, {}, Op::Numbering, "-5", "", ""});
  EXPECT_EQ(
      DescribeRow(no_name.rows.at(0)),
      "would keep its name: no new name can be computed (You have entered erraneous values!)");
}

TEST(OutcomePreviewTest, StopsWhenToldAndSaysItIsIncomplete) {
  MemoryFileSystem fs;
  WindowState state;
  state.TargetKind = false;
  state.List2.Assign({"a", "b", "c", "d"});
  state.List2.SelectAll(true);
  state.active_operation = ActiveOperation::Extension;
  state.extad = ".bak";
  int asked = 0;
  const OutcomePreview preview =
      PreviewBatch(state, FixedClock({2026, 1, 1}), fs,
                   FolderNames{"/anywhere", {"a", "b", "c", "d"}}, [&] { return ++asked <= 2; });
  EXPECT_FALSE(preview.complete);
  EXPECT_EQ(preview.rows.size(), 2u);
}

// The date prefix from each entry's date taken: the preview shows each date or why there is
// none, reads each file once however often it is asked, and "Rename!" then does what it showed;
// numbering counts by the date modified. The Example shows the sample's date (today).
TEST(OutcomePreviewTest, EntriesTakeTheirOwnDatesReadOnceForEveryPreview) {
  TestFolder folder;
  folder.fs.AddFile(TestFolder::kFolder, "b.jpg", testing::JpegTakenAt("2024:05:01 09:08:07"));
  folder.fs.AddFile(TestFolder::kFolder, "a.txt", "no photo");
  folder.fs.AddFile(TestFolder::kFolder, "c.jpg", testing::JpegTakenAt("2023:12:31 23:59:59"));
  folder.fs.SetModifiedTime(TestFolder::kFolder, "b.jpg", {{2020, 1, 1}, 0, 0, 0});
  // A copy of the folder that counts the reads of each entry's dates.
  struct Reads : MemoryFileSystem {
    explicit Reads(const MemoryFileSystem& copy) : MemoryFileSystem(copy) {}
    Status DateTaken(const std::string& f, const std::string& n, DateTime* w) const override {
      ++taken_reads;
      return MemoryFileSystem::DateTaken(f, n, w);
    }
    Status ModifiedTime(const std::string& f, const std::string& n, DateTime* w) const override {
      ++modified_reads;
      return MemoryFileSystem::ModifiedTime(f, n, w);
    }
    mutable int taken_reads = 0;
    mutable int modified_reads = 0;
  } reads(folder.fs);
  folder.SelectAll(/*files=*/true);
  WindowState& state = folder.state;
  FolderNames names;
  ASSERT_TRUE(ReadFolderNames(reads, TestFolder::kFolder, &names).ok());
  OutcomePreview preview;
  for (const DateChoice choice : {DateChoice::Modified, DateChoice::Taken}) {
    state.common_style.date_choice = choice;
    for (int i = 0; i < 3; ++i) preview = PreviewBatch(state, folder.clock, reads, names);
  }
  EXPECT_EQ(reads.taken_reads, 3);
  EXPECT_EQ(reads.modified_reads, 3);
  EXPECT_TRUE(reads.rename_calls().empty());
  std::string shown;
  for (const PreviewRow& row : preview.rows) {
    shown += row.outcome.old_name + " " + row.date + " " + DescribeRow(row) + "\n";
  }
  EXPECT_EQ(shown,
            "a.txt it holds no date taken would keep its name: it holds no date taken\n"
            "b.jpg 2024-05-01 09:08:07 will be renamed\n"
            "c.jpg 2023-12-31 23:59:59 will be renamed\n");
  EXPECT_EQ(folder.Kinds(folder.batch.Command10_Click()), "KDD");
  EXPECT_EQ(folder.fs.AllNames(TestFolder::kFolder),
            (Names{"(0501) b.jpg", "(1231) c.jpg", "a.txt"}));

  state.active_operation = ActiveOperation::Numbering;
  state.numbering.order = NumberingOrder::Modified;
  folder.SelectAll(/*files=*/true);
  EXPECT_EQ(folder.Kinds(folder.batch.Command10_Click()), "DDD");
  EXPECT_EQ(folder.fs.AllNames(TestFolder::kFolder),
            (Names{"1 - (1231) c.jpg", "2 - a.txt", "3 - (0501) b.jpg"}));
  CheckAllValues(state, folder.clock, folder.ui);
  EXPECT_EQ(state.after, "1 - Test file name.txt");
  state.active_operation = ActiveOperation::Rename;
  state.common_style.date_choice = DateChoice::Modified;
  folder.SelectAll(/*files=*/true);
  ASSERT_TRUE(ReadFolderNames(folder.fs, TestFolder::kFolder, &names).ok());
  preview = PreviewBatch(state, folder.clock, folder.fs, names);
  ASSERT_EQ(preview.rows.size(), 3u);
  EXPECT_EQ(preview.rows[2].date, "2020-01-01 00:00:00");
  EXPECT_EQ(preview.rows[2].outcome.new_name, "(0101) 3 - (0501) b.jpg");
  CheckAllValues(state, folder.clock, folder.ui);
  EXPECT_EQ(state.after, "(1204) Test file name.txt");
}

// A file system that lists visible entries only: the preview still runs, and says so; a listing
// that fails half-way leaves no names.
TEST(OutcomePreviewTest, FolderNamesFallBackToVisibleEntriesOfBothKinds) {
  class VisibleOnly : public MemoryFileSystem {
   public:
    Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override {
      return FileSystem::ListAllNames(folder, names);
    }
    Status ListNames(const std::string& folder, EntryKind kind,
                     std::vector<std::string>* names) override {
      if (kind == EntryKind::kDirectory && fail_directories) {
        return Status::Error(Status::Code::kIoError, "cannot read folder");
      }
      return MemoryFileSystem::ListNames(folder, kind, names);
    }
    bool fail_directories = false;
  } fs;
  fs.AddFile(kFolder, "a");
  fs.AddFile(kFolder, ".hidden");
  fs.AddDirectory(kFolder, "sub");
  FolderNames names;
  ASSERT_TRUE(ReadFolderNames(fs, kFolder, &names).ok());
  EXPECT_FALSE(names.complete);
  EXPECT_EQ(names.names, (Names{"a", "sub"}));
  fs.fail_directories = true;
  EXPECT_EQ(ReadFolderNames(fs, kFolder, &names).message(), "cannot read folder");
  EXPECT_TRUE(names.names.empty());
}

}  // namespace
}  // namespace kestro
