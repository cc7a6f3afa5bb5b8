#include "rules/table_numbers.h"

#include <limits>

namespace kestrova {

std::optional<long> ParseTableNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i >= text.size() || text[i] < u'0' || text[i] > u'9') {
    return std::nullopt;
  }
  constexpr long kLimit = std::numeric_limits<int>::max();
  long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > kLimit) value = kLimit;
  }
  return negative ? -value : value;
}

}  // namespace kestrova
