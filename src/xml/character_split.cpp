#include "xml/character_split.h"

#include "platform/cp932.h"

namespace kestrova {
namespace {

void AppendHexByte(std::u16string& text, unsigned char byte) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  text.push_back(kDigits[byte >> 4]);
  text.push_back(kDigits[byte & 0x0F]);
}

}  // namespace

CharacterSplit SplitCharacters(const std::u16string& value) {
  std::string bytes;
  bytes.reserve(value.size() * 2);
  for (const char16_t unit : value) {
    bytes += EncodeCp932Unit(unit);
  }
  return SplitCp932Bytes(bytes);
}

CharacterSplit SplitCp932Bytes(std::string_view bytes) {
  CharacterSplit split;
  split.codes.reserve(bytes.size());
  split.chars.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    std::u16string code;
    if (IsCp932LeadByte(byte)) {
      if (i + 1 == bytes.size()) {
        break;
      }
      AppendHexByte(code, byte);
      AppendHexByte(code, static_cast<unsigned char>(bytes[i + 1]));
      split.chars.emplace_back(bytes.substr(i, 2));
      ++i;
    } else {
      code = u"00";
      AppendHexByte(code, byte);
      split.chars.emplace_back(1, bytes[i]);
    }
    split.codes.push_back(std::move(code));
  }
  split.count = static_cast<int>(split.codes.size());
  return split;
}

}  // namespace kestrova
