// Today's date, behind an interface so tests fix the day.
#pragma once

#include "engine/calendar_date.h"

namespace kestro {

class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual CalendarDate Today() const = 0;
};

// The local date of the machine.
class SystemClock : public Clock {
 public:
  [[nodiscard]] CalendarDate Today() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(CalendarDate day) : day_(day) {}
  [[nodiscard]] CalendarDate Today() const override { return day_; }
  void Set(CalendarDate day) { day_ = day; }

 private:
  CalendarDate day_;
};

}  // namespace kestro
