#include "platform/cp932.h"

#include <algorithm>

#include "platform/cp932_table.h"

namespace kestrova {
namespace {

// The code page's Unicode default character, given for bytes that have no character.
constexpr char16_t kDefaultUnit = u'\u30FB';

}  // namespace

std::string EncodeCp932Unit(char16_t unit) {
  const auto it = std::lower_bound(
      kCp932UnitMappings.begin(), kCp932UnitMappings.end(), unit,
      [](const Cp932UnitMapping& mapping, char16_t wanted) { return mapping.unit < wanted; });
  if (it == kCp932UnitMappings.end() || it->unit != unit) {
    return "?";
  }
  if (it->bytes > 0xFF) {
    return {static_cast<char>(it->bytes >> 8), static_cast<char>(it->bytes & 0xFF)};
  }
  return std::string(1, static_cast<char>(it->bytes));
}

bool IsCp932LeadByte(unsigned char byte) { return kCp932LeadIndex[byte] >= 0; }

std::u16string DecodeCp932(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const int lead = kCp932LeadIndex[byte];
    if (lead < 0) {
      text.push_back(kCp932SingleByteUnits[byte]);
      continue;
    }
    if (i + 1 == bytes.size() || !kCp932TrailByte[static_cast<unsigned char>(bytes[i + 1])]) {
      text.push_back(kDefaultUnit);
      continue;
    }
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    const char16_t unit = kCp932DoubleByteUnits[static_cast<std::size_t>(lead)]
                                               [static_cast<std::size_t>(trail - kCp932TrailFirst)];
    text.push_back(unit != 0 ? unit : kDefaultUnit);
  }
  return text;
}

}  // namespace kestrova
