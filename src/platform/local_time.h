// The local date and time, as the result log and the result file names show it.
#pragma once

#include <string>

namespace kestrova {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

LocalTime CurrentLocalTime();

// "YYYY/MM/DD hh:mm:ss", as the header and the summary of the result log show it.
std::u16string FormatLogTime(const LocalTime& time);

// "YYYYMMDDhhmmss", as result file names carry it.
std::u16string FormatFileTime(const LocalTime& time);

}  // namespace kestrova
