#include "engine/numbering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  return NumberingSettings{o.ascending, o.leading, o.len, o.lennum, o.startat, o.startatnum};
}

TEST(ComputeNumberingTest, NumbersOrTheReasonThereAreNone) {
  struct Case {
    Options options;
    int position;
    int count;
    Status status;
    int entry = 0;
    int highest = 0;
    int width = 0;
  };
  const Case cases[] = {
      {{}, 2, 999, Status::kOk, 2, 999, 3},
      {{.startat = true, .startatnum = "10"}, 2, 3, Status::kOk, 11, 3, 1},
      {{.startat = true, .startatnum = "0"}, 1, 3, Status::kOk, 0, 3, 1},    // start 0 is allowed
      {{.startat = true, .startatnum = "1.5"}, 2, 3, Status::kOk, 2, 3, 1},  // 2.5 -> 2
      {{.startat = true, .startatnum = "2147483647"}, 1, 3, Status::kOk, 2147483647, 3, 1},
      {{.startat = false, .startatnum = "50"}, 1, 3, Status::kOk, 1, 3, 1},  // unchecked
      {{.len = true, .lennum = "4"}, 1, 12, Status::kOk, 1, 9999, 4},
      {{.len = true, .lennum = "2.5"}, 1, 12, Status::kOk, 1, 315, 3},  // 10^2.5 - 1 rounded
      {{.len = true, .lennum = "-400"}, 1, 12, Status::kOk, 1, -1, 2},
      {{.len = false, .lennum = "5"}, 1, 12, Status::kOk, 1, 12, 2},  // unchecked
      {{.startat = true, .startatnum = ""}, 1, 3, Status::kNoName},
      {{.startat = true, .startatnum = "-1"}, 1, 3, Status::kErroneous},
      {{.startat = true, .startatnum = "-0.6"}, 1, 3, Status::kErroneous},  // rounds to -1
      {{.len = false, .lennum = "12"}, 1, 3, Status::kErroneous},  // read even when unchecked
      // Outside 32 bits is refused, never wrapped.
      {{.startat = true, .startatnum = "2147483647"}, 2, 3, Status::kErroneous},
      {{.startat = true, .startatnum = "-99999999999999999999"}, 1, 3, Status::kErroneous},
      // In order: an empty start field first, then the value check, then an empty length.
      {{.len = true, .lennum = "12", .startat = true, .startatnum = ""}, 1, 3, Status::kNoName},
      {{.len = true, .lennum = "", .startat = true, .startatnum = "-3"}, 1, 3, Status::kErroneous},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    const NumberingOutcome out = ComputeNumbering(Settings(c.options), c.position, c.count);
    EXPECT_EQ(out.status, c.status);
    if (out.status != Status::kOk || c.status != Status::kOk) continue;
    EXPECT_EQ(out.values.entry_number, c.entry);
    EXPECT_EQ(out.values.highest_number, c.highest);
    EXPECT_EQ(out.values.digit_width, c.width);
  }
  const std::string huge(400, '9');
  EXPECT_EQ(ComputeNumbering(Settings({.startat = true, .startatnum = huge.c_str()}), 1, 3).status,
            Status::kErroneous);
}

// What ParseSortLine leaves in the settings: "L" leading zeros, "len=N", "S=N"; blank-separated.
std::string Held(const NumberingSettings& s) {
  std::string held = s.sortascending ? "" : "desc ";
  if (s.sortleading) held += "L ";
  if (s.sortlen) held += "len=" + s.sortlennum + " ";
  if (s.sortstartat) held += "S=" + s.sortstartatnum + " ";
  return held;
}

TEST(ParseSortLineTest, AcceptedAndRejectedForms) {
  using R = SortLineResult;
  struct Case {
    std::vector<std::string> words;
    R result;
    const char* held;  // the direction is the caller's and stays descending
  };
  const Case cases[] = {
      {{"-L"}, R::kAccepted, "desc L "},
      {{"-L", "3", "-S", "5"}, R::kAccepted, "desc L len=3 S=5 "},
      {{"-L", "3", "-X", "5"}, R::kAccepted, "desc L len=3 S=5 "},  // the third word is not read
      {{"-l", "-s", "8"}, R::kAccepted, "desc L S=8 "},
      {{"-S", "5", "-L", "3"}, R::kAccepted, "desc S=5 "},
      {{" -L ", " 4 ", " -S ", " 7 "}, R::kAccepted, "desc L len=4 S=7 "},
      {{"-L", "0.5"}, R::kAccepted, "desc L len=0.5 "},
      // Rejections keep what was set before them and nothing after.
      {{"-L", "0", "-S", "5"}, R::kRejected, "desc L "},
      {{"-L", "-X", "5"}, R::kRejected, "desc L "},
      {{"-L", "-S", " "}, R::kRejected, "desc L "},
      {{"-L", "3", "-S"}, R::kRejected, "desc L len=3 "},
      {{"-L", "3", "x", "  "}, R::kRejected, "desc L len=3 "},
      {{"-S"}, R::kRejected, "desc "},
      {{"-X", "-L", "3"}, R::kWrongCommands, "desc "},
  };
  for (const Case& c : cases) {
    std::vector<std::string> w = c.words;
    w.resize(4);
    SCOPED_TRACE("\"" + w[0] + "\" \"" + w[1] + "\" \"" + w[2] + "\" \"" + w[3] + "\"");
    NumberingSettings s;
    s.sortascending = false;
    EXPECT_EQ(ParseSortLine(s, w[0], w[1], w[2], w[3]), c.result);
    EXPECT_EQ(Held(s), c.held);
  }
}

}  // namespace
}  // namespace kestro
