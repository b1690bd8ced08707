// The dates an entry can put into its new name: the date taken (from a photo's own metadata) and
// the date modified (the file's modification time, local time), each either known or missing with
// the reason, and the choice of which date the Rename page's date prefixes use.
#pragma once

#include <optional>
#include <string>

#include "engine/calendar_date.h"

namespace kestro {

// A local date and time to the second.
struct DateTime {
  CalendarDate date;
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59 (60 for a leap second as a camera may write it)
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Where the date prefixes of the Rename page ("Info": MMDD, DDMM, MMDDYY, DDMMYY) take their date:
// the day the window was loaded (the design), or each entry's own date taken or modified.
enum class DateChoice { Today, Taken, Modified };

// The order numbering counts in: the listing's (the design), or by each entry's date taken or
// modified, oldest first (ties in the listing's order).
enum class NumberingOrder { Name, Taken, Modified };

// One entry's two dates. A missing date carries why, worded to follow "cannot rename 'X': ".
struct EntryDates {
  std::optional<DateTime> taken;
  std::string no_taken = "it holds no date taken";
  std::optional<DateTime> modified;
  std::string no_modified = "its date modified cannot be read";
};

// "YYYYMMDD_HHMMSS": sortable, and valid in a name on every file system. 4 December 2026, 9:05:07
// in the morning is "20261204_090507".
[[nodiscard]] std::string FormatStamp(const DateTime& when);
// "2026-12-04 09:05:07", as the windows show a date.
[[nodiscard]] std::string FormatReadable(const DateTime& when);

// The Example's sample ("Test file name.txt") is no file: its date taken and its date modified
// are both `today` at noon, so the Example shows each choice's format with a date the user knows.
[[nodiscard]] EntryDates SampleEntryDates(const CalendarDate& today);

// The date `choice` gives `dates`: `today` at midnight for Today; no value when it is missing
// (then `why`, when given, is the entry's reason).
[[nodiscard]] std::optional<DateTime> ChosenDate(DateChoice choice, const EntryDates& dates,
                                                 const CalendarDate& today,
                                                 std::string* why = nullptr);

}  // namespace kestro
