#include "engine/numbering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/process_string.h"

namespace kestro {
namespace {

using Status = NumberingOutcome::Status;

struct Options {
  bool ascending = true;
  bool leading = false;
  bool len = false;
  const char* lennum = "";
  bool startat = false;
  const char* startatnum = "";
};

NumberingSettings Settings(const Options& o) {
  NumberingSettings s;
  s.sortascending = o.ascending;
  s.sortleading = o.leading;
  s.sortlen = o.len;
  s.sortlennum = o.lennum;
  s.sortstartat = o.startat;
  s.sortstartatnum = o.startatnum;
  return s;
}

std::string Describe(const Options& o, int position, int count) {
  return std::string("p=") + std::to_string(position) + " c=" + std::to_string(count) +
         (o.ascending ? " asc" : " desc") + (o.leading ? " zeros" : "") + (o.len ? " len" : "") +
         " lennum=\"" + o.lennum + "\"" + (o.startat ? " start" : "") + " startnum=\"" +
         o.startatnum + "\"";
}

TEST(ComputeNumberingTest, TheThreeNumbers) {
  struct Case {
    Options options;
    int position;
    int count;
    int entry;
    int highest;
    int width;
  };
  const Case cases[] = {
      {{}, 1, 3, 1, 3, 1},
      {{}, 2, 999, 2, 999, 3},
      {{}, 7, 250, 7, 250, 3},
      {{}, 1, 1000000, 1, 1000000, 7},
      {{.startat = true, .startatnum = "10"}, 2, 3, 11, 3, 1},
      {{.startat = true, .startatnum = "0"}, 1, 3, 0, 3, 1},    // start 0 is allowed
      {{.startat = true, .startatnum = "abc"}, 3, 3, 2, 3, 1},  // reads as 0
      {{.startat = true, .startatnum = "-1"}, 2, 3, 0, 3, 1},
      {{.startat = true, .startatnum = "2.5"}, 1, 3, 2, 3, 1},  // 2.5 -> 2
      {{.startat = true, .startatnum = "3.5"}, 1, 3, 4, 3, 1},  // 3.5 -> 4
      {{.startat = true, .startatnum = "1.5"}, 2, 3, 2, 3, 1},  // 2.5 -> 2
      {{.startat = true, .startatnum = "2147483647"}, 1, 3, 2147483647, 3, 1},
      {{.startat = false, .startatnum = "50"}, 1, 3, 1, 3, 1},  // unchecked: ignored
      {{.len = true, .lennum = "2"}, 1, 3, 1, 99, 2},
      {{.len = true, .lennum = "4"}, 1, 12, 1, 9999, 4},
      {{.len = true, .lennum = "9"}, 1, 12, 1, 999999999, 9},
      {{.len = true, .lennum = "0"}, 1, 12, 1, 0, 1},
      {{.len = true, .lennum = "2.5"}, 1, 12, 1, 315, 3},  // 10^2.5 - 1 rounded
      {{.len = true, .lennum = "-1"}, 1, 12, 1, -1, 2},
      {{.len = true, .lennum = "-400"}, 1, 12, 1, -1, 2},
      {{.len = false, .lennum = "5"}, 1, 12, 1, 12, 2},  // unchecked: ignored
      {{.len = true, .lennum = "3", .startat = true, .startatnum = "8"}, 3, 3, 10, 999, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.options, c.position, c.count));
    const NumberingOutcome out = ComputeNumbering(Settings(c.options), c.position, c.count);
    ASSERT_EQ(out.status, Status::kOk);
    EXPECT_EQ(out.values.entry_number, c.entry);
    EXPECT_EQ(out.values.highest_number, c.highest);
    EXPECT_EQ(out.values.digit_width, c.width);
  }
}

TEST(ComputeNumberingTest, ParametersFollowDirectionAndZeros) {
  NumberingOutcome out = ComputeNumbering(Settings({}), 1, 3);
  EXPECT_EQ(out.param1, "1");
  EXPECT_EQ(out.param2, "");
  out = ComputeNumbering(Settings({.ascending = false, .leading = true}), 1, 3);
  EXPECT_EQ(out.param1, "2");
  EXPECT_EQ(out.param2, "1");
}

TEST(ComputeNumberingTest, Refusals) {
  struct Case {
    Options options;
    int position;
    Status status;
  };
  const Case cases[] = {
      {{.startat = true, .startatnum = ""}, 1, Status::kNoName},
      {{.len = true, .lennum = ""}, 1, Status::kNoName},
      {{.leading = true, .len = true, .lennum = ""}, 5, Status::kNoName},
      {{.startat = true, .startatnum = "-1"}, 1, Status::kErroneous},
      {{.startat = true, .startatnum = "-5"}, 3, Status::kErroneous},
      {{.startat = true, .startatnum = "-0.6"}, 1, Status::kErroneous},  // rounds to -1
      {{.len = true, .lennum = "12"}, 1, Status::kErroneous},
      {{.len = false, .lennum = "12"}, 1, Status::kErroneous},  // read even when unchecked
      {{.len = true, .lennum = "9.5"}, 1, Status::kErroneous},
      // Start positions beyond 32 bits are refused, never wrapped.
      {{.startat = true, .startatnum = "2147483647"}, 2, Status::kErroneous},
      {{.startat = true, .startatnum = "2147483648"}, 1, Status::kErroneous},
      {{.startat = true, .startatnum = "99999999999999999999"}, 1, Status::kErroneous},
      {{.startat = true, .startatnum = "-99999999999999999999"}, 1, Status::kErroneous},
      // The steps come in order: an empty start field wins over a wrong digit length, and
      // the value check comes before the empty digit length.
      {{.len = true, .lennum = "12", .startat = true, .startatnum = ""}, 1, Status::kNoName},
      {{.len = true, .lennum = "", .startat = true, .startatnum = "-3"}, 1, Status::kErroneous},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.options, c.position, 3));
    EXPECT_EQ(ComputeNumbering(Settings(c.options), c.position, 3).status, c.status);
  }
  const std::string huge(400, '9');
  NumberingSettings s;
  s.sortstartat = true;
  s.sortstartatnum = huge;
  EXPECT_EQ(ComputeNumbering(s, 1, 3).status, Status::kErroneous);
  s.sortstartatnum = "-" + huge;
  EXPECT_EQ(ComputeNumbering(s, 1, 3).status, Status::kErroneous);
}

// Names of a whole batch, as the window and the command line compute them.
std::vector<std::string> Batch(const NumberingSettings& settings, int count) {
  std::vector<std::string> names;
  for (int p = 1; p <= count; ++p) {
    const NumberingOutcome out = ComputeNumbering(settings, p, count);
    if (out.status != Status::kOk) {
      names.push_back("");
      continue;
    }
    RenameOperation op;
    op.mode = RenameMode::Numbering;
    op.param1 = out.param1;
    op.param2 = out.param2;
    names.push_back(ProcessString("x", op, out.values, {2026, 12, 4}));
  }
  return names;
}

TEST(ComputeNumberingTest, WholeBatches) {
  struct Case {
    Options options;
    int count;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{}, 3, {"1 - x", "2 - x", "3 - x"}},
      {{.ascending = false}, 3, {"3 - x", "2 - x", "1 - x"}},
      {{.ascending = false, .leading = true, .len = true, .lennum = "2"},
       3,
       {"99 - x", "98 - x", "97 - x"}},
      {{.leading = true, .len = true, .lennum = "4"}, 3, {"0001 - x", "0002 - x", "0003 - x"}},
      {{.startat = true, .startatnum = "10"}, 3, {"10 - x", "11 - x", "12 - x"}},
      {{.leading = true, .startat = true, .startatnum = "8"}, 3, {"8 - x", "9 - x", "10 - x"}},
      {{.ascending = false, .startat = true, .startatnum = "2"}, 3, {"2 - x", "1 - x", "0 - x"}},
      {{.ascending = false, .startat = true, .startatnum = "5"}, 3, {"-1 - x", "-2 - x", "-3 - x"}},
      {{.startat = true, .startatnum = "-1"}, 3, {"", "0 - x", "1 - x"}},
      {{.len = true, .lennum = "12"}, 2, {"", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.options, 0, c.count));
    EXPECT_EQ(Batch(Settings(c.options), c.count), c.expected);
  }
  const std::vector<std::string> twelve = Batch(Settings({.leading = true}), 12);
  EXPECT_EQ(twelve.front(), "01 - x");
  EXPECT_EQ(twelve.back(), "12 - x");
  const std::vector<std::string> many = Batch(Settings({.leading = true}), 250);
  EXPECT_EQ(many.front(), "001 - x");
  EXPECT_EQ(many.back(), "250 - x");
}

TEST(ComputeNumberingTest, PreviewShowsEntryOneOf999) {
  const NumberingOutcome out = ComputeNumbering(Settings({.leading = true}), 1, 999);
  RenameOperation op;
  op.mode = RenameMode::Numbering;
  op.param1 = out.param1;
  op.param2 = out.param2;
  EXPECT_EQ(ProcessString("Example filename.ext", op, out.values, {}),
            "001 - Example filename.ext");
  op.param1 = "2";
  EXPECT_EQ(ProcessString("Example filename.ext", op, out.values, {}),
            "999 - Example filename.ext");
}

struct SortLineCase {
  std::vector<std::string> words;
  SortLineResult result;
  bool leading;
  bool len;
  const char* lennum;
  bool startat;
  const char* startatnum;
};

TEST(ParseSortLineTest, AcceptedAndRejectedForms) {
  using R = SortLineResult;
  const SortLineCase cases[] = {
      {{"-L"}, R::kAccepted, true, false, "", false, ""},
      {{"-L", "4"}, R::kAccepted, true, true, "4", false, ""},
      {{"-L", "12"}, R::kAccepted, true, true, "12", false, ""},
      {{"-L", "3", "-S", "5"}, R::kAccepted, true, true, "3", true, "5"},
      {{"-L", "3", "-X", "5"}, R::kAccepted, true, true, "3", true, "5"},  // a3 not examined
      {{"-L", "-S", "8"}, R::kAccepted, true, false, "", true, "8"},
      {{"-S", "10"}, R::kAccepted, false, false, "", true, "10"},
      {{"-S", "5", "-L", "3"}, R::kAccepted, false, false, "", true, "5"},
      {{"-l", "2", "-s", "4"}, R::kAccepted, true, true, "2", true, "4"},
      {{"-l", "-s", "4"}, R::kAccepted, true, false, "", true, "4"},
      {{" -L ", " 4 ", " -S ", " 7 "}, R::kAccepted, true, true, "4", true, "7"},
      {{"-L", "0.5"}, R::kAccepted, true, true, "0.5", false, ""},
      // Rejections keep what was set before them and nothing after.
      {{"-L", "0"}, R::kRejected, true, false, "", false, ""},
      {{"-L", "abc"}, R::kRejected, true, false, "", false, ""},
      {{"-L", "0", "-S", "5"}, R::kRejected, true, false, "", false, ""},
      {{"-L", "-X"}, R::kRejected, true, false, "", false, ""},
      {{"-L", "-S"}, R::kRejected, true, false, "", false, ""},
      {{"-L", "-S", " "}, R::kRejected, true, false, "", false, ""},
      {{"-L", "3", "-S"}, R::kRejected, true, true, "3", false, ""},
      {{"-L", "3", "x", "  "}, R::kRejected, true, true, "3", false, ""},
      {{"-S"}, R::kRejected, false, false, "", false, ""},
      {{"-X"}, R::kWrongCommands, false, false, "", false, ""},
      {{"-X", "-L", "3"}, R::kWrongCommands, false, false, "", false, ""},
      {{"L", "3"}, R::kWrongCommands, false, false, "", false, ""},
      {{"-LS"}, R::kWrongCommands, false, false, "", false, ""},
  };
  for (const SortLineCase& c : cases) {
    std::vector<std::string> w = c.words;
    w.resize(4);
    SCOPED_TRACE("\"" + w[0] + "\" \"" + w[1] + "\" \"" + w[2] + "\" \"" + w[3] + "\"");
    NumberingSettings s;
    EXPECT_EQ(ParseSortLine(s, w[0], w[1], w[2], w[3]), c.result);
    EXPECT_EQ(s.sortleading, c.leading);
    EXPECT_EQ(s.sortlen, c.len);
    EXPECT_EQ(s.sortlennum, c.lennum);
    EXPECT_EQ(s.sortstartat, c.startat);
    EXPECT_EQ(s.sortstartatnum, c.startatnum);
    EXPECT_TRUE(s.sortascending);  // the direction is the caller's
  }
}

TEST(ParseSortLineTest, LeavesSettingsItDoesNotReachAlone) {
  NumberingSettings s;
  s.sortascending = false;
  s.sortstartat = true;
  s.sortstartatnum = "3";
  EXPECT_EQ(ParseSortLine(s, "-L", "0", "", ""), SortLineResult::kRejected);
  EXPECT_TRUE(s.sortleading);
  EXPECT_FALSE(s.sortascending);
  EXPECT_TRUE(s.sortstartat);
  EXPECT_EQ(s.sortstartatnum, "3");
}

}  // namespace
}  // namespace kestro
