// The outcome preview against the real batch: on the same real folders, fixed and random, the
// preview says for every entry exactly what "Rename!" then does, and why a name is kept.
#include "batch/outcome_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/recording_ui_host.h"
#include "batch/test_worlds.h"
#include "engine/messages.h"
#include "engine/utf8_text.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Why = PreviewRow::Why;
using Names = std::vector<std::string>;

// One real folder and the window's state over it.
class Folder {
 public:
  explicit Folder(bool files) : batch_(state_, world_.fs(), clock_, ui_) {
    state_.TargetKind = !files;
    state_.dirs_folder = world_.folder();
    state_.files_folder = world_.folder();
  }
  // Entries of the target kind; hidden names and names in `others` are of the other kind. A name
  // the system cannot hold as spelled, or a case twin where it folds case, is left out.
  void Add(const Names& names, const Names& others = {}) {
    for (const std::string& name : names) {
      if (!Fits(name)) continue;
      if (state_.TargetKind && name[0] != '.') {
        world_.AddDirectory(name);
      } else {
        world_.AddFile(name);
      }
    }
    for (const std::string& name : others) {
      if (!Fits(name)) continue;
      if (state_.TargetKind) {
        world_.AddFile(name);
      } else {
        world_.AddDirectory(name);
      }
    }
    batch_.Dir2_Change();
    batch_.File1_PathChange();
  }
  bool Fits(const std::string& name) const {
    return !world_.HoldsIn(world_.folder(), name) && world_.CanHold(name);
  }
  SelectableList& list() { return state_.TargetKind ? state_.List1 : state_.List2; }
  void Select(const Names& chosen) {
    for (std::size_t i = 0; i < list().size(); ++i) {
      for (const std::string& name : chosen) {
        if (list().at(i) == name) list().SetSelected(i, true);
      }
    }
  }
  void SelectAll() { list().SelectAll(true); }
  WindowState& state() { return state_; }

  // Previews, then runs the batch, and checks that they agree entry by entry and message by
  // message. Returns the preview.
  OutcomePreview PreviewThenRename() {
    FolderNames names;
    EXPECT_TRUE(ReadFolderNames(world_.fs(), world_.folder(), &names).ok());
    EXPECT_TRUE(names.complete);
    const std::vector<std::string> before = world_.Names();
    OutcomePreview preview = PreviewBatch(state_, clock_, world_.fs(), names);
    EXPECT_EQ(world_.Names(), before) << "the preview touched the folder";
    EXPECT_TRUE(preview.complete);

    ui_.messages.clear();
    const BatchReport report = batch_.Command10_Click();
    EXPECT_EQ(preview.stopped_at_check, !report.ran);
    if (preview.stopped_at_check) {
      EXPECT_EQ(ui_.messages.size(), 1u);
      if (!ui_.messages.empty()) {
        EXPECT_EQ(preview.check.text, ui_.messages[0].text);
      }
    }
    EXPECT_EQ(preview.rows.size(), report.entries.size());
    std::size_t with_message = 0;
    for (std::size_t i = 0; i < preview.rows.size() && i < report.entries.size(); ++i) {
      const EntryOutcome& shown = preview.rows[i].outcome;
      const EntryOutcome& done = report.entries[i];
      SCOPED_TRACE("entry " + std::to_string(i) + " '" + done.old_name + "'");
      EXPECT_EQ(shown.old_name, done.old_name);
      EXPECT_EQ(shown.new_name, done.new_name);
      EXPECT_EQ(shown.kind, done.kind);
      EXPECT_EQ(shown.reason, done.reason);
      with_message += preview.rows[i].message.empty() ? 0 : 1;
    }
    if (report.ran) {
      EXPECT_EQ(with_message, ui_.messages.size());
    }
    return preview;
  }

 private:
  DiskWorld world_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_;
};

std::vector<Why> Whys(const OutcomePreview& preview) {
  std::vector<Why> whys;
  for (const PreviewRow& row : preview.rows) whys.push_back(row.why);
  return whys;
}

// Each wants the name of the next, which is free only once the next has gone on: in one pass in
// list order only the last moves, so the one before it is held up by a name still to be freed
// and the first by an entry that keeps its name.
TEST(OutcomePreviewTest, AChainInListOrderIsHeldUpByTheNamesNotYetFree) {
  Folder folder(/*files=*/true);
  folder.Add({"a", "a.x", "a.x.x"});
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Extension;
  folder.state().extad = ".x";
  const OutcomePreview preview = folder.PreviewThenRename();
  EXPECT_EQ(Whys(preview),
            (std::vector<Why>{Why::kTakenByPresent, Why::kTakenByLater, Why::kRenamed}));
  EXPECT_EQ(preview.rows[0].taken_by, "a.x");
  EXPECT_EQ(preview.rows[1].taken_by, "a.x.x");
}

TEST(OutcomePreviewTest, AChainThatFreesEachNameBeforeItIsWantedGoesThrough) {
  Folder folder(/*files=*/true);
  folder.Add({"abc", "abcd"});  // stripping one from the right: abc -> ab, then abcd -> abc
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Strip;
  folder.state().Text6 = "1";
  folder.state().leftoption = false;
  EXPECT_EQ(Whys(folder.PreviewThenRename()), (std::vector<Why>{Why::kRenamed, Why::kRenamed}));
}

TEST(OutcomePreviewTest, TwoEntriesWantingOneNameLeaveItToTheFirst) {
  Folder folder(/*files=*/true);
  folder.Add({"1a", "2a"});
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Strip;
  folder.state().Text6 = "1";
  const OutcomePreview preview = folder.PreviewThenRename();
  EXPECT_EQ(Whys(preview), (std::vector<Why>{Why::kRenamed, Why::kTakenByRenamed}));
  EXPECT_EQ(preview.rows[1].taken_by, "1a");
  EXPECT_EQ(DescribeRow(preview.rows[1]),
            "keeps its name: '1a' gets this name earlier in the batch");
}

TEST(OutcomePreviewTest, NamesHeldByUnselectedHiddenAndOtherKindsOfEntryAreTaken) {
  if (!DiskWorld::HoldsCaseTwins()) GTEST_SKIP() << "this file system cannot hold case twins";
  Folder folder(/*files=*/true);
  folder.Add({"A", "B", "C", "a", ".c"}, /*others=*/{"b"});
  folder.Select({"A", "B", "C"});
  folder.state().active_operation = ActiveOperation::Case;
  folder.state().case_choice = CaseChoice::lowercase;
  const OutcomePreview preview = folder.PreviewThenRename();
  EXPECT_EQ(Whys(preview),
            (std::vector<Why>{Why::kTakenByPresent, Why::kTakenByPresent, Why::kRenamed}));
  EXPECT_EQ(preview.rows[0].taken_by, "a");  // not selected
  EXPECT_EQ(preview.rows[1].taken_by, "b");  // a directory
}

TEST(OutcomePreviewTest, AHiddenEntryTakesTheNameADirectoryWouldGet) {
  Folder folder(/*files=*/false);
  folder.Add({"c", "d", ".c"});
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Replace;
  folder.state().Text8 = "c";
  folder.state().Text7 = ".c";
  const OutcomePreview preview = folder.PreviewThenRename();
  EXPECT_EQ(Whys(preview), (std::vector<Why>{Why::kTakenByPresent, Why::kUnchanged}));
  EXPECT_EQ(preview.rows[0].taken_by, ".c");
}

TEST(OutcomePreviewTest, CaseOnlyChangesAreRenamedAndSameNamesUnchanged) {
  Folder folder(/*files=*/true);
  folder.Add({"Photo.JPG", "notes.txt"});
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Case;
  folder.state().case_choice = CaseChoice::lowercase;
  EXPECT_EQ(Whys(folder.PreviewThenRename()), (std::vector<Why>{Why::kUnchanged, Why::kRenamed}));
}

TEST(OutcomePreviewTest, RefusedNewNamesAreNamedWithTheirReason) {
  Folder folder(/*files=*/true);
  folder.Add({"ab", "x", "xy"});
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Replace;
  folder.state().Text8 = "x";
  folder.state().Text7 = ".";
  const OutcomePreview preview = folder.PreviewThenRename();
  // "ab" stays; "x" would be "."; "xy" becomes ".y".
  EXPECT_EQ(Whys(preview), (std::vector<Why>{Why::kUnchanged, Why::kRefused, Why::kRenamed}));
  EXPECT_EQ(DescribeRow(preview.rows[1]), std::string("keeps its name: ") + kNewNameDots);

  Folder slash(/*files=*/true);
  slash.Add({"ab"});
  slash.SelectAll();
  slash.state().active_operation = ActiveOperation::Replace;
  slash.state().Text8 = "a";
  slash.state().Text7 = "/";
  EXPECT_EQ(slash.PreviewThenRename().rows.at(0).outcome.reason, kNewNameHoldsSeparator);
}

TEST(OutcomePreviewTest, NoNameFromErroneousNumberingCarriesTheMessageOnEveryEntry) {
  Folder folder(/*files=*/true);
  folder.Add({"a", "b"});
  folder.SelectAll();
  folder.state().active_operation = ActiveOperation::Numbering;
  folder.state().numbering.sortstartat = true;
  folder.state().numbering.sortstartatnum = "-5";
  const OutcomePreview preview = folder.PreviewThenRename();
  ASSERT_EQ(preview.rows.size(), 2u);
  for (const PreviewRow& row : preview.rows) {
    EXPECT_EQ(row.why, Why::kNoName);
    EXPECT_EQ(row.message, messages::kErroneousValues);
  }
  EXPECT_EQ(DescribeRow(preview.rows[0]),
            "keeps its name: no new name can be computed (You have entered erraneous values!)");
}

TEST(OutcomePreviewTest, AnInputCheckThatStopsTheBatchIsShownAsItsMessage) {
  Folder folder(/*files=*/true);
  folder.Add({"a"});
  folder.state().active_operation = ActiveOperation::Replace;  // field "A:" empty
  const OutcomePreview preview = folder.PreviewThenRename();
  EXPECT_TRUE(preview.stopped_at_check);
  EXPECT_EQ(preview.check.text, messages::kFillRequiredFields);
  EXPECT_TRUE(preview.rows.empty());

  Folder none(/*files=*/false);
  none.Add({"a"});
  EXPECT_EQ(none.PreviewThenRename().check.text, messages::kSelectDirectories);
}

TEST(OutcomePreviewTest, StopsWhenToldAndSaysItIsIncomplete) {
  MemoryFileSystem fs;
  WindowState state;
  state.TargetKind = false;
  state.List2.Assign({"a", "b", "c", "d"});
  state.List2.SelectAll(true);
  state.active_operation = ActiveOperation::Extension;
  state.extad = ".bak";
  FolderNames names{"/anywhere", {"a", "b", "c", "d"}, true};
  int asked = 0;
  const OutcomePreview preview = PreviewBatch(state, FixedClock(CalendarDate{2026, 1, 1}), fs,
                                              names, [&] { return ++asked <= 2; });
  EXPECT_FALSE(preview.complete);
  EXPECT_EQ(preview.rows.size(), 2u);
  EXPECT_TRUE(fs.rename_calls().empty());
}

// On a file system that takes case twins for one name, so does the copy of the folder: "B" cannot
// become "b.txt" while "B.TXT" is there, though a change of case alone goes through.
TEST(OutcomePreviewTest, ACaseInsensitiveFolderIsCopiedAsOne) {
  MemoryFileSystem real;
  real.SetCaseInsensitive(true);
  for (const char* name : {"A", "B", "B.TXT"}) real.AddFile("/f", name);
  WindowState state;
  state.TargetKind = false;
  state.files_folder = "/f";
  state.List2.Assign({"A", "B"});
  state.List2.SelectAll(true);
  state.active_operation = ActiveOperation::Replace;
  state.Text8 = "b";
  state.Text7 = "b.txt";
  FolderNames names;
  ASSERT_TRUE(ReadFolderNames(real, "/f", &names).ok());
  names.case_insensitive = true;
  const FixedClock clock(CalendarDate{2026, 1, 1});
  const OutcomePreview preview = PreviewBatch(state, clock, real, names);

  RecordingUiHost ui;
  BatchRenamer batch(state, real, clock, ui);
  const BatchReport report = batch.Command10_Click();
  ASSERT_EQ(preview.rows.size(), report.entries.size());
  for (std::size_t i = 0; i < report.entries.size(); ++i) {
    EXPECT_EQ(preview.rows[i].outcome.kind, report.entries[i].kind) << i;
    EXPECT_EQ(preview.rows[i].outcome.reason, report.entries[i].reason) << i;
  }
  EXPECT_EQ(Whys(preview), (std::vector<Why>{Why::kUnchanged, Why::kTakenByPresent}));
  EXPECT_EQ(preview.rows[1].taken_by, "B.TXT");
}

// A file system that lists visible entries only: the preview still runs, and says so.
class VisibleOnly : public MemoryFileSystem {
 public:
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override {
    return FileSystem::ListAllNames(folder, names);
  }
};

TEST(OutcomePreviewTest, FolderNamesFallBackToVisibleEntriesOfBothKinds) {
  VisibleOnly fs;
  fs.AddFile("/f", "a");
  fs.AddFile("/f", ".hidden");
  fs.AddDirectory("/f", "sub");
  FolderNames names;
  ASSERT_TRUE(ReadFolderNames(fs, "/f", &names).ok());
  EXPECT_FALSE(names.complete);
  EXPECT_EQ(std::set<std::string>(names.names.begin(), names.names.end()),
            (std::set<std::string>{"a", "sub"}));
}

// Random folders and settings: whatever they are, preview and batch agree.
class RandomFolders {
 public:
  explicit RandomFolders(unsigned seed) : rng_(seed) {}
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng_)];
  }
  bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(rng_) < percent; }

  // Case twins, digit runs, blanks, hidden names, and the names operations make of others.
  Names NamesOfTheFolder() {
    static const Names kParts = {"a", "A", "b", "B", " ", "é", "É", "1", "2", "10", ".txt", "x"};
    std::set<std::string> names;
    const int count = std::uniform_int_distribution<int>(1, 12)(rng_);
    while (static_cast<int>(names.size()) < count) {
      std::string name;
      for (int parts = std::uniform_int_distribution<int>(1, 3)(rng_); parts > 0; --parts)
        name += Pick(kParts);
      if (Chance(8)) name = "." + name;
      names.insert(name);
      if (Chance(50)) {
        names.insert(Pick(Names{ToUpper(name), ToLower(name), name + ".bak", "1 - " + name,
                                "2 - " + name, name.substr(1), name + ".x", "." + name}));
      }
    }
    for (const char* bad : {"", ".", ".."}) names.erase(bad);
    return Names(names.begin(), names.end());
  }

  void Settings(WindowState& state) {
    state.active_operation = Pick(std::vector<ActiveOperation>{
        ActiveOperation::None, ActiveOperation::Rename, ActiveOperation::Strip,
        ActiveOperation::Replace, ActiveOperation::Case, ActiveOperation::Extension,
        ActiveOperation::Numbering});
    state.common_style.captions.Option7 = "1204";
    state.Text6 = Pick(Names{"0", "1", "2", "5"});
    state.leftoption = Chance(50);
    state.SmartCheck = Chance(30);
    state.Text8 = Pick(Names{"a", "A", "é", " ", "x", "", "1"});
    state.Text7 = Pick(Names{"b", "", "a", "/", "..", " ", "É", "."});
    state.case_choice = Pick(std::vector<CaseChoice>{CaseChoice::lowercase, CaseChoice::uppercase,
                                                     CaseChoice::sentence});
    state.extad = Pick(Names{".bak", ".x", "", " ", "/x"});
    state.numbering.sortascending = Chance(50);
    state.numbering.sortleading = Chance(50);
    state.numbering.sortlen = Chance(20);
    state.numbering.sortlennum = Pick(Names{"", "1", "3"});
    state.numbering.sortstartat = Chance(20);
    state.numbering.sortstartatnum = Pick(Names{"", "0", "2", "-1"});
  }

 private:
  std::mt19937 rng_;
};

TEST(OutcomePreviewTest, RandomFoldersPreviewExactlyWhatTheBatchDoes) {
  for (unsigned seed = 1; seed <= 250; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomFolders random(seed);
    Folder folder(/*files=*/random.Chance(60));
    const Names names = random.NamesOfTheFolder();
    Names others;
    if (random.Chance(30)) others.push_back(random.Pick(names) + ".x");
    others.erase(std::remove_if(others.begin(), others.end(),
                                [&](const std::string& n) {
                                  return std::find(names.begin(), names.end(), n) != names.end();
                                }),
                 others.end());
    folder.Add(names, others);
    for (std::size_t i = 0; i < folder.list().size(); ++i)
      folder.list().SetSelected(i, random.Chance(75));
    random.Settings(folder.state());
    folder.PreviewThenRename();
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace kestro
