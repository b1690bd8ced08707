// The outcome preview against the real batch: for every entry it says what "Rename!" then does,
// and why a name is kept.
#include "batch/outcome_preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/test_folder.h"
#include "engine/messages.h"
#include "platform/memory_file_system.h"
#include "platform/name_rules.h"

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
};

// Previews `s` in the in-memory folder, which stays as it was. (That "Rename!" then does what the
// preview shows is checked on random real folders.)
OutcomePreview Preview(const Scenario& s) {
  TestFolder folder;
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
  EXPECT_EQ(no_name.rows.at(0).message, messages::kErroneousValues);
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

// On a file system that takes case twins for one name, so does the copy of the folder: "B" cannot
// become "b.txt" while "B.TXT" is there, though a change of case alone goes through.
TEST(OutcomePreviewTest, ACaseInsensitiveFolderIsCopiedAsOne) {
  MemoryFileSystem fs;
  fs.SetCaseInsensitive(true);
  for (const char* name : {"A", "B", "B.TXT"}) fs.AddFile(kFolder, name);
  WindowState state;
  state.TargetKind = false;
  state.List2.Assign({"A", "B"});
  state.List2.SelectAll(true);
  state.active_operation = ActiveOperation::Replace;
  state.Text8 = "b";
  state.Text7 = "b.txt";
  FolderNames names;
  ASSERT_TRUE(ReadFolderNames(fs, kFolder, &names).ok());
  names.case_insensitive = true;
  EXPECT_EQ(Summary(PreviewBatch(state, FixedClock({2026, 1, 1}), fs, names)),
            "unchanged present:B.TXT");
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
