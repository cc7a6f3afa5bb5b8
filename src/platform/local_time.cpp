#include "platform/local_time.h"

#include <cstdio>
#include <ctime>

#include "platform/text_encoding.h"

namespace kestrova {

LocalTime CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                   parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::u16string FormatLogTime(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4d/%.2d/%.2d %.2d:%.2d:%.2d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return Utf8ToUtf16(text);
}

std::u16string FormatFileTime(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4d%.2d%.2d%.2d%.2d%.2d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return Utf8ToUtf16(text);
}

}  // namespace kestrova
