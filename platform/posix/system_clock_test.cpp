#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>

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

class ZoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) saved_ = tz;
  }
  void TearDown() override {
    if (saved_) {
      setenv("TZ", saved_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  std::optional<std::string> saved_;
};

TEST_F(ZoneTest, TodayIsTheLocalDateNotTheUtcOne) {
  // Fourteen hours east and twelve west are on different days for most of every day; the date
  // must follow the zone each time.
  for (const auto& [zone, east] : {std::pair{"<+14>-14", 14}, std::pair{"<-12>+12", -12}}) {
    setenv("TZ", zone, 1);
    CalendarDate today{};
    CalendarDate expected{};
    CalendarDate after{};
    do {  // read again when the zone's midnight passed between the readings
      expected = DateAhead(std::time(nullptr), east);
      today = SystemClock().Today();
      after = DateAhead(std::time(nullptr), east);
    } while (expected.day != after.day);
    EXPECT_EQ(today.year, expected.year) << zone;
    EXPECT_EQ(today.month, expected.month) << zone;
    EXPECT_EQ(today.day, expected.day) << zone;
  }
}

}  // namespace
}  // namespace kestro
