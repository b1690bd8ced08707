#include "engine/entry_dates.h"

#include <cstdio>

namespace kestro {

namespace {

// `when` in `format`, which takes year, month, day, hour, minute and second in that order.
std::string FormatDateTime(const char* format, const DateTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, format, when.date.year % 10000, when.date.month % 100,
                when.date.day % 100, when.hour % 100, when.minute % 100, when.second % 100);
  return text;
}

}  // namespace

std::string FormatStamp(const DateTime& when) {
  return FormatDateTime("%04d%02d%02d_%02d%02d%02d", when);
}

std::string FormatReadable(const DateTime& when) {
  return FormatDateTime("%04d-%02d-%02d %02d:%02d:%02d", when);
}

EntryDates SampleEntryDates(const CalendarDate& today) {
  EntryDates dates;
  dates.taken = DateTime{today, 12, 0, 0};
  dates.modified = dates.taken;
  return dates;
}

std::optional<DateTime> ChosenDate(DateChoice choice, const EntryDates& dates,
                                   const CalendarDate& today, std::string* why) {
  switch (choice) {
    case DateChoice::Today:
      return DateTime{today, 0, 0, 0};
    case DateChoice::Taken:
      if (!dates.taken && why != nullptr) *why = dates.no_taken;
      return dates.taken;
    case DateChoice::Modified:
      if (!dates.modified && why != nullptr) *why = dates.no_modified;
      return dates.modified;
  }
  return std::nullopt;
}

}  // namespace kestro
