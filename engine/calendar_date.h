// A calendar day, and the four ways names carry it ("MMDDYY", "DDMMYY", "MMDD", "DDMM").
// Every date comes from a Clock (platform/clock.h), so tests can fix the day.
#pragma once

#include <string>

namespace kestro {

struct CalendarDate {
  int year = 2000;  // full year, e.g. 2026
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

enum class DateFormat { kMMDDYY, kDDMMYY, kMMDD, kDDMM };

// Two digits per field with a leading zero, no separators: 4 December 2026 as kMMDDYY is "120426".
[[nodiscard]] std::string FormatDate(const CalendarDate& date, DateFormat format);

}  // namespace kestro
