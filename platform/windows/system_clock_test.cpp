#include <gtest/gtest.h>

#include <ctime>

#include "platform/clock.h"

namespace kestro {
namespace {

// The C runtime's local date, a second source for the same day.
CalendarDate RuntimeToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool SameDay(const CalendarDate& a, const CalendarDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

TEST(SystemClockTest, TodayIsTheLocalDateOfTheMachine) {
  const SystemClock clock;
  // Around midnight the day may turn between the two readings: read again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const CalendarDate before = clock.Today();
    const CalendarDate runtime = RuntimeToday();
    const CalendarDate after = clock.Today();
    if (!SameDay(before, after)) continue;
    EXPECT_TRUE(SameDay(before, runtime))
        << before.year << "-" << before.month << "-" << before.day;
    EXPECT_GE(before.year, 2024);
    return;
  }
  FAIL() << "the date kept changing";
}

}  // namespace
}  // namespace kestro
