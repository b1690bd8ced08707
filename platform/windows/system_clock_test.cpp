#include <gtest/gtest.h>

#include <ctime>
#include <tuple>

#include "platform/clock.h"

namespace kestro {
namespace {

// The C runtime's local date is a second source for the same day. Around midnight the day may
// turn between the readings: they are taken again then.
TEST(SystemClockTest, TodayIsTheLocalDateOfTheMachine) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const CalendarDate today = SystemClock().Today();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    if (SystemClock().Today().day != today.day) continue;
    EXPECT_EQ(std::tuple(today.year, today.month, today.day),
              std::tuple(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
    return;
  }
  FAIL() << "the date kept changing";
}

}  // namespace
}  // namespace kestro
