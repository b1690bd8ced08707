#include "engine/calendar_date.h"

namespace kestro {
namespace {

// Two digits with a leading zero; a value of 100 or more keeps its last two digits.
void AppendTwoDigits(std::string& out, int value) {
  const int two = ((value % 100) + 100) % 100;
  out.push_back(static_cast<char>('0' + two / 10));
  out.push_back(static_cast<char>('0' + two % 10));
}

}  // namespace

std::string FormatDate(const CalendarDate& date, DateFormat format) {
  std::string out;
  switch (format) {
    case DateFormat::kMMDDYY:
      AppendTwoDigits(out, date.month);
      AppendTwoDigits(out, date.day);
      AppendTwoDigits(out, date.year);
      break;
    case DateFormat::kDDMMYY:
      AppendTwoDigits(out, date.day);
      AppendTwoDigits(out, date.month);
      AppendTwoDigits(out, date.year);
      break;
    case DateFormat::kMMDD:
      AppendTwoDigits(out, date.month);
      AppendTwoDigits(out, date.day);
      break;
    case DateFormat::kDDMM:
      AppendTwoDigits(out, date.day);
      AppendTwoDigits(out, date.month);
      break;
  }
  return out;
}

}  // namespace kestro
