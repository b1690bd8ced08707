// The program's own options in every place of a command line: where one stands beyond the first
// word, nothing is renamed, unless the grammar takes its word as text (the two words of "-R"); a
// "--dry-run" after the switch's words is a dry run, anywhere else the line is refused.
#include "cli/headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "batch/pickers.h"
#include "cli/command_line_mode.h"
#include "cli/help_texts.h"
#include "engine/command_args.h"
#include "platform/memory_file_system.h"

namespace kestro {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
  std::string renamed;  // "old>new" per rename done
  std::string last_dir;
};

Outcome RunKestro(const CommandWords& words) {
  MemoryFileSystem fs;
  for (const char* name : {"a.doc", "b.txt", "Up.TXT"}) fs.AddFile("/p", name);
  for (const char* name : {"Abc", "img2"}) fs.AddDirectory("/p", name);
  fs.SetWorkingFolder("/p");
  MemorySettingsStore settings;
  settings.Set(kSettingsApplication, kSettingsSection, kLastDirKey, "/before");
  const FixedClock clock({2026, 12, 4});
  WindowState state;
  std::ostringstream out, err;
  Outcome outcome;
  outcome.status = RunHeadless(words, state, {fs, settings, clock, nullptr}, out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  for (const auto& call : fs.rename_calls()) {
    if (call.result.ok()) outcome.renamed += call.old_name + ">" + call.new_name + " ";
  }
  outcome.last_dir = settings.Get(kSettingsApplication, kSettingsSection, kLastDirKey, "");
  return outcome;
}

// A command line and the places of its words, told here by hand rather than by the grammar's own
// reading: the switch, the words -R takes as text, and the last word the switch reads.
struct Base {
  CommandWords words;
  std::size_t switch_word;
  std::vector<std::size_t> text;
  std::size_t last_read;
};

enum class Expect { kFirst, kDryRun, kRefused, kGrammar };

// What an option standing as word `place` of a line built on `base` must do.
Expect Expected(const Base& base, const std::string& option, std::size_t place) {
  const bool short_help = option == "/?" || option == "-?" || option == "?";
  if (place == 1) return Expect::kFirst;
  if (std::find(base.text.begin(), base.text.end(), place) != base.text.end()) {
    return Expect::kGrammar;
  }
  if (place == 2 || place == base.switch_word) return Expect::kRefused;
  if (place > base.last_read) return option == "--dry-run" ? Expect::kDryRun : Expect::kRefused;
  return short_help ? Expect::kGrammar : Expect::kRefused;
}

TEST(ProgramOptionsTest, NothingIsRenamedWhereAnOptionStandsBeyondTheFirstWord) {
  const Base bases[] = {
      {{"/p", "-F", "*.*", "-C", "upper"}, 4, {}, 5},
      {{"/p", "-F", "*.*", "-R", "a", "z"}, 4, {5, 6}, 6},
      {{"/p", "-F", "*.*", "-L", "$NAME", "x", "y", "z", "w"}, 4, {}, 9},
      {{"/p", "-F", "*.*", "-SR", "1", "-noext"}, 4, {}, 6},
      {{"/p", "-F", "*.*", "-SL", "1"}, 4, {}, 5},
      {{"/p", "-F", "*.*", "-NA", "-L", "3", "-S", "2"}, 4, {}, 8},
      {{"/p", "-D", "-SL", "1"}, 3, {}, 4},
      {{"/p", "-D", "-SR", "1", "-noext"}, 3, {}, 4},  // directories have no extension
      {{"/p", "-d", "-NA", "-L", "2", "-S", "5"}, 3, {}, 7},
      {{"/p", "-D", "-C", "lower"}, 3, {}, 4},
  };
  const char* const options[] = {"--dry-run", "--undo", "--window", "--help", "/?", "-?", "?"};
  int checked = 0;
  for (const Base& base : bases) {
    CommandWords dry_words = base.words;
    dry_words.insert(dry_words.begin(), "--dry-run");
    const Outcome dry = RunKestro(dry_words);
    ASSERT_EQ(dry.renamed, "") << JoinArguments(dry_words);
    ASSERT_NE(dry.out, "") << JoinArguments(dry_words) << ": the dry run says what it would rename";
    for (const std::string option : options) {
      // The option put before word `place`, and in the place of word `place`.
      for (const bool replaces : {false, true}) {
        for (std::size_t place = replaces ? 2 : 1; place <= base.words.size() + (replaces ? 0 : 1);
             ++place) {
          CommandWords words = base.words;
          const auto at = words.begin() + static_cast<std::ptrdiff_t>(place - 1);
          words.insert(replaces ? words.erase(at) : at, option);
          SCOPED_TRACE(JoinArguments(words));
          ++checked;
          const Outcome outcome = RunKestro(words);
          const Expect expect = Expected(base, option, place);
          if (expect == Expect::kGrammar) {
            EXPECT_EQ(outcome.err.find("must stand"), std::string::npos) << outcome.err;
            continue;
          }
          EXPECT_EQ(outcome.renamed, "");
          EXPECT_EQ(outcome.last_dir, "/before");
          if (expect == Expect::kRefused) {
            EXPECT_EQ(outcome.status, kExitWrongCommand);
            EXPECT_EQ(outcome.out, HeadlessHelp());
            EXPECT_EQ(outcome.err.rfind("kestro: '" + option + "' must stand ", 0), 0u)
                << outcome.err;
            EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "one line";
          } else if (option == "--dry-run") {  // first, or after the switch's words
            EXPECT_EQ(outcome.out, dry.out);
            EXPECT_EQ(outcome.err, dry.err);
            EXPECT_EQ(outcome.status, dry.status);
          } else {
            EXPECT_EQ(outcome.status, kExitWrongCommand);
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 700);
}

// Past the 20th word the grammar drops the words; a "--dry-run" there still counts.
TEST(ProgramOptionsTest, ADryRunPastTheTwentiethWordStillCounts) {
  CommandWords words = {"/p", "-F", "*.*", "-C", "upper"};
  while (words.size() < 24) words.push_back("w" + std::to_string(words.size() + 1));
  words.push_back("--dry-run");
  const Outcome outcome = RunKestro(words);
  EXPECT_EQ(outcome.renamed, "");
  EXPECT_EQ(outcome.status, kExitDone);
  EXPECT_EQ(outcome.out, "'a.doc' -> 'A.DOC'\n'b.txt' -> 'B.TXT'\n'Up.TXT' -> 'UP.TXT'\n");
  words.back() = "--undo";
  EXPECT_EQ(RunKestro(words).err, "kestro: '--undo' must stand first: kestro --undo [--dry-run]\n");
}

// Of the calls, which are the program's own and what each hands on.
TEST(ReadProgramCallTest, TheProgramsOwnOptionsStandFirst) {
  using Kind = ProgramCall::Kind;
  struct Case {
    CommandWords words;
    Kind kind;
    CommandWords line;
    std::string refusal;
  };
  // clang-format off
  const Case cases[] = {
      {{}, Kind::kWindow, {}, ""},
      {{""}, Kind::kRun, {""}, ""},
      {{"--help"}, Kind::kRun, {"--help"}, ""},  // the command line's own help request
      {{"/p", "-F", "*", "-C", "upper"}, Kind::kRun, {"/p", "-F", "*", "-C", "upper"}, ""},
      {{"--dry-run", "/p", "-D", "-SL", "1"}, Kind::kDryRun, {"/p", "-D", "-SL", "1"}, ""},
      {{"/p", "-D", "-SL", "1", "--dry-run"}, Kind::kDryRun, {"/p", "-D", "-SL", "1", "--dry-run"}, ""},
      {{"--dry-run", "/p", "-D", "-SL", "1", "--dry-run"}, Kind::kDryRun,
       {"/p", "-D", "-SL", "1", "--dry-run"}, ""},
      {{"/p", "-F", "*", "-R", "--undo", "--dry-run"}, Kind::kRun,
       {"/p", "-F", "*", "-R", "--undo", "--dry-run"}, ""},  // -R's words are text
      {{"/p", "-F", "?", "-C", "upper"}, Kind::kRun, {"/p", "-F", "?", "-C", "upper"}, ""},
      {{"--dry-run", "--help"}, Kind::kDryRun, {"--help"}, ""},
      {{"--dry-run"}, Kind::kHelp, {}, ""},
      {{"--dry-run", "--window", "/p"}, Kind::kHelp, {},
       "'--window' must stand first: kestro --window <folder>"},
      {{"--dry-run", "--dry-run", "/p"}, Kind::kHelp, {},
       "'--dry-run' must stand first, or last after the switch's words: "
       "kestro --dry-run <path> <mode> <options>"},
      {{"/p", "-F", "*", "-C", "upper", "--help"}, Kind::kHelp, {},
       "'--help' must stand alone: kestro --help"},
      {{"/p", "-?"}, Kind::kHelp, {}, "'-?' must stand alone: kestro --help"},
      {{"--undo"}, Kind::kUndo, {}, ""},
      {{"--undo", "--dry-run"}, Kind::kUndo, {}, ""},
      {{"--window", "/p"}, Kind::kWindow, {}, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(JoinArguments(c.words));
    const ProgramCall call = ReadProgramCall(c.words);
    EXPECT_EQ(call.kind, c.kind);
    EXPECT_EQ(call.words, c.line);
    EXPECT_EQ(call.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace kestro
