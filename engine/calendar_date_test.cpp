#include "engine/calendar_date.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(FormatDateTest, TwoDigitsPerFieldWithALeadingZero) {
  struct Case {
    CalendarDate date;
    DateFormat format;
    const char* expected;
  };
  const Case cases[] = {
      {{2026, 12, 4}, DateFormat::kMMDDYY, "120426"},
      {{2026, 12, 4}, DateFormat::kDDMMYY, "041226"},
      {{2026, 12, 4}, DateFormat::kMMDD, "1204"},
      {{2026, 12, 4}, DateFormat::kDDMM, "0412"},
      {{2009, 1, 5}, DateFormat::kMMDDYY, "010509"},
      {{2000, 10, 31}, DateFormat::kDDMMYY, "311000"},
      {{1999, 2, 28}, DateFormat::kMMDDYY, "022899"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDate(c.date, c.format), c.expected)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
}

}  // namespace
}  // namespace kestro
