#include "engine/beginning_bit.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

using S = CommonStyleSettings;

TEST(BeginningBitTest, EveryOptionOfEveryGroup) {
  struct Case {
    S::Left left;
    S::Info info;
    S::Right right;
    S::Seperator seperator;
    const char* expected;
  };
  const Case cases[] = {
      {S::Left::Option1, S::Info::Option7, S::Right::Option6, S::Seperator::Option13, "(1204) "},
      {S::Left::Option2, S::Info::Option10, S::Right::Option5, S::Seperator::Option12,
       "[041226] - "},
      {S::Left::Option20, S::Info::Option8, S::Right::Option18, S::Seperator::Option13, "<0412> "},
      {S::Left::Option21, S::Info::Option9, S::Right::Option19, S::Seperator::Option13,
       "{120426} "},
      {S::Left::Option3, S::Info::Option11, S::Right::Option4, S::Seperator::Option14,
       " «日本 😀»  ~ "},
  };
  for (const Case& c : cases) {
    S settings{c.left,      c.info, c.right,
               c.seperator, " «",   "日本 😀",
               "» ",        "~",    MakeDateCaptions({2026, 12, 4})};
    EXPECT_EQ(BeginningBit(settings), c.expected);
  }
}

// The dates of the prefix and of "$DATE1" to "$DATE4": two digits a field, a leading zero.
TEST(FormatDateTest, TwoDigitsPerFieldWithALeadingZero) {
  const CalendarDate day{2009, 1, 5};
  EXPECT_EQ(FormatDate(day, DateFormat::kMMDDYY) + " " + FormatDate(day, DateFormat::kDDMMYY) +
                " " + FormatDate(day, DateFormat::kMMDD) + " " + FormatDate(day, DateFormat::kDDMM),
            "010509 050109 0105 0501");
  EXPECT_EQ(FormatDate({2000, 10, 31}, DateFormat::kDDMMYY), "311000");
}

}  // namespace
}  // namespace kestro
