#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/clock.h"

namespace kestro {
namespace {

// The date in a zone `east_hours` ahead of UTC at `now`.
CalendarDate DateAhead(std::time_t now, int east_hours) {
  const std::time_t shifted = now + east_hours * 3600;
  std::tm utc{};
  gmtime_r(&shifted, &utc);
  return CalendarDate{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
}

TEST(SystemClockTest, TodayIsTheLocalDateNotTheUtcOne) {
  const char* saved = std::getenv("TZ");
  const std::string saved_zone = saved == nullptr ? "" : saved;
  // Fourteen hours east and twelve west are on different days for most of every day.
  for (const auto& [zone, east] : {std::pair{"<+14>-14", 14}, std::pair{"<-12>+12", -12}}) {
    setenv("TZ", zone, 1);
    CalendarDate today{};
    CalendarDate expected{};
    do {  // read again when the zone's midnight passed between the readings
      expected = DateAhead(std::time(nullptr), east);
      today = SystemClock().Today();
    } while (DateAhead(std::time(nullptr), east).day != expected.day);
    EXPECT_EQ(today.year * 10000 + today.month * 100 + today.day,
              expected.year * 10000 + expected.month * 100 + expected.day)
        << zone;
  }
  if (saved == nullptr) {
    unsetenv("TZ");
  } else {
    setenv("TZ", saved_zone.c_str(), 1);
  }
  tzset();
}

}  // namespace
}  // namespace kestro
