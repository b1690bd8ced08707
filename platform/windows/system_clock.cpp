#include <windows.h>

#include "platform/clock.h"

namespace kestro {

CalendarDate SystemClock::Today() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return CalendarDate{now.wYear, now.wMonth, now.wDay};
}

}  // namespace kestro
