// A calendar double: the day of the month is whatever the test sets.
#pragma once

#include "platform/calendar.h"

namespace kv::testing {

class FixedCalendar final : public Calendar {
 public:
  explicit FixedCalendar(int day_of_month = 1) : day(day_of_month) {}
  int DayOfMonth() override { return day; }

  int day;
};

}  // namespace kv::testing
