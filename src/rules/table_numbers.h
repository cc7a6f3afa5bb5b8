// Numbers in rule tables.
#pragma once

#include <optional>
#include <string_view>

namespace kestrova {

// A decimal integer as the tables write it: leading blanks, an optional sign, digits; the text
// after the digits is ignored. Empty when no digit follows.
std::optional<long> ParseTableNumber(std::u16string_view text);

}  // namespace kestrova
