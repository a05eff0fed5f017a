// The calendar port over the system's local time.
#include <windows.h>

#include "platform/calendar.h"

namespace kv {

namespace {

class LocalCalendar final : public Calendar {
 public:
  int DayOfMonth() override {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return now.wDay;
  }
};

}  // namespace

Calendar& SystemCalendar() {
  static LocalCalendar calendar;
  return calendar;
}

}  // namespace kv
