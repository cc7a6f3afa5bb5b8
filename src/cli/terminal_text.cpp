#include "terminal_text.h"

#include <cstdio>

namespace kestrova {

std::u16string VisibleControls(std::u16string_view text) {
  std::u16string shown;
  shown.reserve(text.size());
  for (const char16_t unit : text) {
    const bool c0 = unit < 0x20 || unit == 0x7F;
    const bool c1 = unit >= 0x80 && unit <= 0x9F;
    if (unit == u'\n' || (!c0 && !c1)) {
      shown.push_back(unit);
      continue;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, c0 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(unit));
    shown.append(escape, escape + std::char_traits<char>::length(escape));
  }
  return shown;
}

}  // namespace kestrova
