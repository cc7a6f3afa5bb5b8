#include "rules/error_limits.h"

#include <algorithm>
#include <limits>

#include "rules/default_settings.h"
#include "run/run_globals.h"

namespace kestrova {

std::int64_t ConvertLimit(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // Saturates at the range of a 32-bit integer, as the conversion of the limits always has.
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min<std::int64_t>(value * 10 + (text[i] - u'0'), kMax + 1);
  }
  return negative ? -value : std::min(value, kMax);
}

bool ErrorLimitReached(const FindingCounters& counters) {
  const DefaultSettings& settings = g_defaultSettings;  // read per poll: no copy
  if (counters.m_nMustFix > ConvertLimit(settings.ERR_F)) return true;
  if (counters.m_nMustConfirm > ConvertLimit(settings.ERR_W)) return true;
  const std::int64_t total = std::int64_t{counters.m_nMustFix} + counters.m_nMustConfirm;
  return total > ConvertLimit(settings.ERR_T);
}

bool StopRequested(const FindingCounters& counters) {
  return g_bCancel.load() != 0 || ErrorLimitReached(counters);
}

}  // namespace kestrova
