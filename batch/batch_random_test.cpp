// Random folders and random operations, in both modes, on real temporary folders: whatever the
// names and the operation, the preview says what the window's batch then does, and every entry
// ends under exactly one name in its own folder.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/outcome_preview.h"
#include "batch/recording_ui_host.h"
#include "batch/test_worlds.h"
#include "engine/utf8_text.h"

namespace kestro {
namespace {

using Contents = std::map<std::string, std::string>;
using Words = std::vector<std::string>;

class Random {
 public:
  explicit Random(unsigned seed) : rng_(seed) {}
  const std::string& Pick(const Words& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng_)];
  }
  bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(rng_) < percent; }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // Blanks, case twins, Unicode, digit runs, hidden names, and the names operations make of
  // others (so chains form).
  std::set<std::string> Names() {
    static const Words kParts = {"a", "A",  "b", " ", "  ",   "é",    "É", "ß",       "日本",
                                 "1", "10", "x", "~", ".txt", ".TXT", "-", "(1204) ", "ǅ"};
    std::set<std::string> names;
    for (int count = Between(1, 10); static_cast<int>(names.size()) < count;) {
      std::string name;
      for (int parts = Between(1, 4); parts > 0; --parts) name += Pick(kParts);
      if (Chance(5)) name = "." + name;
      names.insert(name);
      if (Chance(40)) {
        names.insert(Pick({ToUpper(name), ToLower(name), name + ".bak", "1 - " + name,
                           "2 - " + name, name.substr(1), "b" + name, name + " "}));
      }
    }
    for (const char* not_a_name : {"", ".", ".."}) names.erase(not_a_name);
    return names;
  }

  void WindowOperation(WindowState& state) {
    state.active_operation = static_cast<ActiveOperation>(Between(0, 6));
    state.common_style.captions.Option7 = "1204";
    state.Text6 = Pick({"0", "1", "2", "5", "x"});
    state.leftoption = Chance(50);
    state.SmartCheck = Chance(50);
    state.Text8 = Pick({"a", "A", "é", " ", "x", "", "1"});
    state.Text7 = Pick({"b", "", "a", "/", "..", " ", "É", "."});
    state.case_choice = static_cast<CaseChoice>(Between(0, 3));
    state.extad = Pick({".bak", "", " ", "/x", "A"});
    state.numbering.sortascending = Chance(50);
    state.numbering.sortleading = Chance(50);
    state.numbering.sortlen = Chance(30);
    state.numbering.sortlennum = Pick({"", "1", "3", "0"});
    state.numbering.sortstartat = Chance(30);
    state.numbering.sortstartatnum = Pick({"", "0", "1", "5", "-1"});
  }

  Words CommandWords(bool files) {
    Words words;
    if (files) words.push_back(Pick({"*", "*.*", "*.txt", "a*", "?", "*A*"}));
    words.push_back(Pick({"-SL", "-SR", "-R", "-C", "-L", "-NA", "-ND", "-X"}));
    for (int i = Between(0, 4); i > 0; --i) {
      words.push_back(Pick({"1", "2", "a", "~", "b", "-noext", "upper", "lower", "s", "$NAME", "-L",
                            "-S", "3", "", "/", ".."}));
    }
    return words;
  }

 private:
  std::mt19937 rng_;
};

// The preview of the window's batch agrees with the batch's report, entry by entry.
void ExpectPreviewMatches(const OutcomePreview& preview, const BatchReport& report,
                          const RecordingUiHost& ui) {
  EXPECT_EQ(preview.stopped_at_check, !report.ran);
  if (preview.stopped_at_check && !ui.messages.empty()) {
    EXPECT_EQ(preview.check.text, ui.messages[0].text);
  }
  ASSERT_EQ(preview.rows.size(), report.entries.size());
  std::size_t with_message = 0;
  for (std::size_t i = 0; i < report.entries.size(); ++i) {
    const EntryOutcome& shown = preview.rows[i].outcome;
    const EntryOutcome& done = report.entries[i];
    EXPECT_EQ(shown.old_name + " > " + shown.new_name, done.old_name + " > " + done.new_name);
    EXPECT_EQ(shown.kind, done.kind) << done.old_name;
    EXPECT_EQ(shown.reason, done.reason) << done.old_name;
    with_message += preview.rows[i].message.empty() ? 0 : 1;
  }
  EXPECT_TRUE(!report.ran || with_message == ui.messages.size());
}

void CheckRun(unsigned seed) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  Random random(seed);
  DiskWorld world;
  const bool files = random.Chance(60);
  const auto hidden = [](const std::string& name) {
    return DiskWorld::HidesLeadingDot() && name[0] == '.';
  };
  // A name the system cannot hold as spelled, or one the folder already answers to in another
  // spelling (a case twin where the system folds case), is left out.
  Contents before;
  for (const std::string& name : random.Names()) {
    if (world.HoldsIn(world.folder(), name) || !world.CanHold(name)) continue;
    const std::string content = "entry " + std::to_string(before.size() + 1);
    if (files || name[0] == '.') {
      world.AddFileIn(world.folder(), name, content);
    } else {
      world.AddDirectory(name, content);
    }
    before[name] = content;
  }
  Contents sentinels;
  for (const char* name : {"a", "A", "1 - a"}) {
    if (world.HoldsIn(world.sibling(), name)) continue;
    world.AddFileIn(world.sibling(), name, std::string("sentinel ") + name);
    sentinels[name] = std::string("sentinel ") + name;
  }

  WindowState state;
  state.TargetKind = !files;
  state.dirs_folder = state.files_folder = world.folder();
  FixedClock clock(CalendarDate{2026, 12, 4});
  RecordingUiHost ui;
  BatchRenamer batch(state, world.fs(), clock, ui);
  batch.Dir2_Change();
  batch.File1_PathChange();
  const bool window = random.Chance(50);
  std::optional<OutcomePreview> preview;
  if (window) {
    random.WindowOperation(state);
    SelectableList& list = files ? state.List2 : state.List1;
    for (std::size_t i = 0; i < list.size(); ++i) list.SetSelected(i, random.Chance(70));
    FolderNames names;
    EXPECT_TRUE(ReadFolderNames(world.fs(), world.folder(), &names).ok());
    names.case_insensitive = world.fs().NamesIgnoreCase();
    preview = PreviewBatch(state, clock, world.fs(), names);
  } else {
    const Words words = random.CommandWords(files);
    state.args[1] = world.folder();
    state.args[2] = files ? "-F" : "-D";
    state.command_line = world.folder() + " " + state.args[2];
    for (std::size_t i = 0; i < words.size(); ++i) {
      state.args[i + 3] = words[i];
      state.command_line += " " + words[i];
    }
    state.List1.SelectAll(true);
  }
  const BatchReport report = batch.Command10_Click();
  if (preview) ExpectPreviewMatches(*preview, report, ui);

  // Every content under exactly one name, in the folder, and nothing else there.
  Contents after;
  std::multiset<std::string> seen;
  std::multiset<std::string> expected;
  for (const std::string& name : DiskWorld::NamesIn(world.folder())) {
    after[name] = DiskWorld::ContentIn(world.folder(), name).value_or("<unreadable>");
    seen.insert(after[name]);
  }
  for (const auto& entry : before) expected.insert(entry.second);
  EXPECT_EQ(seen, expected);
  // The report says where each entry is; entries the batch did not take keep their names.
  std::set<std::string> taken;
  for (const EntryOutcome& outcome : report.entries) {
    const bool moved = outcome.kind == EntryOutcome::Kind::kDone;
    EXPECT_EQ(after[moved ? outcome.new_name : outcome.old_name], before[outcome.old_name])
        << outcome.old_name;
    EXPECT_FALSE(hidden(outcome.old_name)) << outcome.old_name;
    taken.insert(outcome.old_name);
  }
  for (const auto& [name, content] : before) {
    EXPECT_TRUE(taken.count(name) != 0 || after[name] == content) << name;
  }
  // Nothing outside the folder was touched.
  Contents sibling;
  for (const std::string& name : DiskWorld::NamesIn(world.sibling()))
    sibling[name] = DiskWorld::ContentIn(world.sibling(), name).value_or("");
  EXPECT_EQ(sibling, sentinels);
}

TEST(BatchRandomTest, PreviewMatchesTheBatchAndEveryEntryEndsUnderOneName) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    CheckRun(seed);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace kestro
