// The calendar port: the local date as far as the program needs it (Today's
// Proverb reads the day of the month). The program reads the system clock
// (calendar_win.cpp); the tests set the day (testing/fixed_calendar.h).
#pragma once

namespace kv {

class Calendar {
 public:
  virtual ~Calendar() = default;
  virtual int DayOfMonth() = 0;  // 1..31
};

// The system's local date (the Windows builds).
Calendar& SystemCalendar();

}  // namespace kv
