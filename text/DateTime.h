#pragma once

namespace text {

// A local calendar date and time of day, to the second.
struct DateTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

DateTime Now();
inline int MonthOf(const DateTime& when) {
  return when.month;
}
inline int DayOf(const DateTime& when) {
  return when.day;
}

}  // namespace text
