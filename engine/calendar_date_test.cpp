#include "engine/calendar_date.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(FormatDateTest, TwoDigitsPerFieldWithALeadingZero) {
  const CalendarDate day{2009, 1, 5};
  EXPECT_EQ(FormatDate(day, DateFormat::kMMDDYY), "010509");
  EXPECT_EQ(FormatDate(day, DateFormat::kDDMMYY), "050109");
  EXPECT_EQ(FormatDate(day, DateFormat::kMMDD), "0105");
  EXPECT_EQ(FormatDate(day, DateFormat::kDDMM), "0501");
  EXPECT_EQ(FormatDate({2000, 10, 31}, DateFormat::kDDMMYY), "311000");
}

}  // namespace
}  // namespace kestro
