// Random folders and random operations, in both modes, on real temporary folders: whatever the
// names and the operation, the preview says what the window's batch then does, a dry run what
// the command line then does, and every entry ends under exactly one name in its own folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/outcome_preview.h"
#include "batch/recording_ui_host.h"
#include "cli/command_line_mode.h"
#include "cli/stream_ui_host.h"
#include "engine/command_args.h"
#include "engine/utf8_text.h"
#include "platform/listing.h"
#include "platform/native_file_system.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;
using Contents = std::map<std::string, std::string>;
using Words = std::vector<std::string>;

// A real temporary folder to rename in and a sibling that must stay untouched, on a tmpfs where
// the system has one (hundreds of folders stay fast) unless TMPDIR names another place. Names
// and paths are UTF-8 throughout, as the file systems take them.
class Disk : public TempTree {
 public:
  Disk() : TempTree(Base()) {}
  // Adds a file, or a directory holding a file "tag", with `content` under exactly `name`; false,
  // and nothing added, where the folder cannot hold that name as spelled (NTFS folds case, drops
  // blanks at the end and cannot spell a name that is not UTF-8). Where it folds case, a name that
  // folds as one already there is left out too, so the folder and the preview's copy of it agree
  // on what a case twin is (Wine, for one, folds a few title-case letters otherwise).
  bool Add(const std::string& where, const std::string& name, const std::string& content,
           bool directory) {
    try {
      const stdfs::path path = TestPath(where, name);
      std::error_code error;
      if (stdfs::exists(path, error)) return false;
      if (fs_->NamesIgnoreCase()) {
        for (const auto& [held, ignored] : Held(where))
          if (FoldCase(held) == FoldCase(name)) return false;
      }
      if (directory) stdfs::create_directory(path);
      std::ofstream(directory ? path / "tag" : path, std::ios::binary) << content;
      if (Held(where).count(name) == 1) return true;
      stdfs::remove_all(path, error);
    } catch (const std::exception&) {
    }
    return false;
  }
  // Every name in `where` with what it holds (a directory: its tag).
  static Contents Held(const std::string& where) {
    Contents contents;
    for (const std::string& name : AllNames(where)) {
      contents[name] =
          Content(where, name).value_or(Content(where + "/" + name, "tag").value_or(""));
    }
    return contents;
  }
  FileSystem& fs() { return *fs_; }

 private:
  static stdfs::path Base() {
    std::error_code error;
    const bool shm = std::getenv("TMPDIR") == nullptr && stdfs::is_directory("/dev/shm", error);
    return shm ? stdfs::path("/dev/shm") : stdfs::temp_directory_path();
  }
  std::unique_ptr<FileSystem> fs_ = NewNativeFileSystem();
};

class Random {
 public:
  explicit Random(unsigned seed) : rng_(seed) {}
  std::string Pick(const Words& items) {
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

// The preview of the window's batch agrees with the batch's report, entry by entry, and says
// where the batch shows a message.
void ExpectPreviewMatches(const OutcomePreview& preview, const BatchReport& report,
                          const RecordingUiHost& ui) {
  const auto line = [](const EntryOutcome& e) {
    return e.old_name + " > " + e.new_name + " " + "DUKN"[static_cast<int>(e.kind)] + " " +
           e.reason;
  };
  Words shown;
  Words done;
  std::size_t with_message = 0;
  for (const PreviewRow& row : preview.rows) {
    shown.push_back(line(row.outcome));
    with_message += row.message.empty() ? 0 : 1;
  }
  for (const EntryOutcome& entry : report.entries) done.push_back(line(entry));
  EXPECT_EQ(shown, done);
  EXPECT_EQ(preview.stopped_at_check, !report.ran);
  EXPECT_EQ(with_message + (preview.stopped_at_check ? 1 : 0), ui.messages.size());
  EXPECT_TRUE(!preview.stopped_at_check || preview.check.text == ui.messages.at(0).text);
}

void CheckRun(unsigned seed) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  Random random(seed);
  Disk disk;
  const std::string folder = disk.NewFolder();
  const std::string sibling = disk.NewFolder();
  const bool files = random.Chance(60);
  Contents before;
  for (const std::string& name : random.Names()) {
    const std::string content = "entry " + std::to_string(before.size() + 1);
    if (disk.Add(folder, name, content, !files && name[0] != '.')) before[name] = content;
  }
  Contents sentinels;
  for (const char* name : {"a", "A", "1 - a"}) {
    if (disk.Add(sibling, name, name, false)) sentinels[name] = name;
  }

  WindowState state;
  state.TargetKind = !files;
  state.dirs_folder = state.files_folder = folder;
  FixedClock clock(CalendarDate{2026, 12, 4});
  RecordingUiHost ui;
  BatchRenamer batch(state, disk.fs(), clock, ui);
  batch.Dir2_Change();
  batch.File1_PathChange();
  // What the lists leave out (a leading "." where that hides a name) must never be touched.
  std::set<std::string> hidden;
  for (const auto& entry : before) hidden.insert(entry.first);
  for (const SelectableList* list : {&state.List1, &state.List2}) {
    for (const std::string& name : list->entries()) hidden.erase(name);
  }
  BatchReport report;
  if (random.Chance(50)) {
    random.WindowOperation(state);
    SelectableList& list = files ? state.List2 : state.List1;
    for (std::size_t i = 0; i < list.size(); ++i) list.SetSelected(i, random.Chance(70));
    FolderNames names;
    EXPECT_TRUE(ReadFolderNames(disk.fs(), folder, &names).ok());
    const OutcomePreview preview = PreviewBatch(state, clock, disk.fs(), names);
    report = batch.Command10_Click();
    ExpectPreviewMatches(preview, report, ui);
  } else {
    // The command line as argv gives it; a dry run first, which must say exactly what the run
    // then does, and change nothing.
    Words arguments = {folder, files ? "-F" : "-D"};
    for (const std::string& word : random.CommandWords(files)) arguments.push_back(word);
    SCOPED_TRACE(JoinArguments(arguments));
    MemorySettingsStore settings;
    std::ostringstream dry_out, dry_err, out, err, done;
    StreamUiHost dry_ui(dry_err), real_ui(err);
    WindowState dry_state, real_state;
    const CommandLineRun dry = RunCommandWords(arguments, dry_state, disk.fs(), settings, clock,
                                               dry_ui, nullptr, /*dry_run=*/true, dry_out, dry_err);
    EXPECT_EQ(Disk::Held(folder), before) << "the dry run changed the folder";
    const CommandLineRun run = RunCommandWords(arguments, real_state, disk.fs(), settings, clock,
                                               real_ui, nullptr, /*dry_run=*/false, out, err);
    WriteDryRunLines(run, done);
    EXPECT_EQ(dry_out.str(), done.str());
    EXPECT_EQ(dry_err.str(), err.str());
    EXPECT_EQ(ExitStatus(dry), ExitStatus(run));
    report = run.report.value_or(BatchReport{});
  }

  // Every content under exactly one name, in the folder, and nothing else there; the report
  // says where each entry is, and what the batch did not take kept its name.
  Contents after = Disk::Held(folder);
  std::multiset<std::string> seen;
  std::multiset<std::string> expected;
  for (const auto& entry : after) seen.insert(entry.second);
  for (const auto& entry : before) expected.insert(entry.second);
  EXPECT_EQ(seen, expected);
  std::set<std::string> taken;
  for (const EntryOutcome& outcome : report.entries) {
    const bool moved = outcome.kind == EntryOutcome::Kind::kDone;
    EXPECT_EQ(after[moved ? outcome.new_name : outcome.old_name], before[outcome.old_name])
        << outcome.old_name;
    EXPECT_EQ(hidden.count(outcome.old_name), 0u) << outcome.old_name;
    taken.insert(outcome.old_name);
  }
  for (const auto& [name, content] : before) {
    EXPECT_TRUE(taken.count(name) != 0 || after[name] == content) << name;
  }
  EXPECT_EQ(Disk::Held(sibling), sentinels);  // nothing outside the folder
}

TEST(RandomBatchTest, PreviewAndDryRunMatchTheBatchAndEveryEntryEndsUnderOneName) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    CheckRun(seed);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace kestro
