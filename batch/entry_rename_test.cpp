#include "batch/entry_rename.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/memory_file_system.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;

struct Case {
  const char* label;
  std::string old_name;
  std::optional<std::string> new_name;
  Kind kind;
  std::string asked;   // the new name in the outcome
  std::string reason;  // empty: none
  bool reaches_fs;     // whether the file system was asked to rename
};

TEST(RenameEntryTest, StepsInOrder) {
  const Case cases[] = {
      {"renamed", "a.txt", "b.txt", Kind::kDone, "b.txt", "", true},
      {"no name", "a.txt", std::nullopt, Kind::kNoName, "", kReasonNoName, false},
      {"same name", "a.txt", "a.txt", Kind::kUnchanged, "a.txt", "", false},
      {"same with blanks kept", "a ", "a ", Kind::kUnchanged, "a ", "", false},
      {"same once blanks dropped", "a", "a   ", Kind::kUnchanged, "a", "", false},
      {"blanks dropped", "a", "b  ", Kind::kDone, "b", "", true},
      {"old name not UTF-8", "a\xff", "A\xff", Kind::kKept, "A\xff", kReasonNotUtf8, false},
      {"not UTF-8, same name", "a\xff", "a\xff", Kind::kKept, "a\xff", kReasonNotUtf8, false},
      {"empty", "a", "", Kind::kKept, "", kNewNameEmpty, false},
      {"only blanks", "a", "  ", Kind::kKept, "", kNewNameEmpty, false},
      {"dot", "a", ".", Kind::kKept, ".", kNewNameDots, false},
      {"dot dot", "a", ".. ", Kind::kKept, "..", kNewNameDots, false},
      {"separator", "a", "x/a", Kind::kKept, "x/a", kNewNameHoldsSeparator, false},
      {"NUL", "a", std::string("b\0c", 3), Kind::kKept, std::string("b\0c", 3), kNewNameHoldsNul,
       false},
      {"would hide", "a.txt", ".txt", Kind::kKept, ".txt", kReasonWouldHide, false},
      {"would hide, blanks dropped", "a", ".a ", Kind::kKept, ".a", kReasonWouldHide, false},
      {"too long", "a", std::string(256, 'n'), Kind::kKept, std::string(256, 'n'),
       "File name too long", true},
      {"taken", "a", "taken", Kind::kKept, "taken", kNameExists, true},
      {"case only", "a", "A", Kind::kDone, "A", "", true},
  };
  for (const Case& c : cases) {
    MemoryFileSystem fs;
    fs.AddFile("/f", c.old_name, "x");
    fs.AddFile("/f", "taken", "t");
    EntryOutcome outcome = RenameEntry(fs, "/f", c.old_name, c.new_name);
    EXPECT_EQ(outcome.old_name, c.old_name) << c.label;
    EXPECT_EQ(outcome.kind, c.kind) << c.label;
    EXPECT_EQ(outcome.new_name, c.asked) << c.label;
    EXPECT_EQ(outcome.reason, c.reason) << c.label;
    EXPECT_EQ(fs.rename_calls().size(), c.reaches_fs ? 1u : 0u) << c.label;
    const std::string& where = c.kind == Kind::kDone ? c.asked : c.old_name;
    EXPECT_EQ(fs.Content("/f", where), "x") << c.label;
  }
}

}  // namespace
}  // namespace kestro
