#include <ctime>

#include "platform/clock.h"

namespace kestro {

CalendarDate SystemClock::Today() const {
  const std::time_t now = std::time(nullptr);
  tzset();  // a changed TZ takes effect; localtime_r alone need not read it again
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return CalendarDate{};
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace kestro
