#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrova {
namespace {

struct EncodeCase {
  char16_t unit;
  std::string bytes;
  const char* what;
};

TEST(Cp932Test, EncodesEachUnitAsWindowsDoes) {
  const EncodeCase cases[] = {
      {u'A', "A", "ASCII"},
      {u'\\', "\x5c", "backslash stays 0x5C"},
      {u'\u00A5', "\x5c", "yen sign, best fit"},
      {u'\u00A2', "\x81\x91", "cent sign, best fit to the full-width cent"},
      {u'\u00C0', "A", "A with grave, best fit"},
      {u'\u00BF', "?", "inverted question mark, best fit to '?'"},
      {u'\uFF71', "\xb1", "half-width katakana a"},
      {u'\u3042', "\x82\xa0", "hiragana a"},
      {u'\uFF5E', "\x81\x60", "full-width tilde"},
      {u'\u2460', "\x87\x40", "circled digit one, NEC extension"},
      {u'\u9AD9', "\xfb\xfc", "taka, IBM extension"},
      {u'\uE000', "\xf0\x40", "first user-defined character"},
      {u'\u0080', "\x80", "U+0080 maps to itself"},
      {u'\u301C', "?", "wave dash is not in code page 932"},
      {u'\u2212', "?", "minus sign is not in code page 932"},
      {u'\u0100', "?", "Latin Extended has no best fit"},
      {u"\U00020B9F"[0], "?", "high surrogate of U+20B9F"},
      {u"\U00020B9F"[1], "?", "low surrogate of U+20B9F"},
      {u'\0', std::string(1, '\0'), "U+0000 is one byte"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeCp932Unit(c.unit), c.bytes) << c.what;
  }
}

TEST(Cp932Test, LeadBytesAreThoseOfTheTwoRanges) {
  for (int b = 0; b < 256; ++b) {
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(IsCp932LeadByte(static_cast<unsigned char>(b)), lead) << b;
  }
}

TEST(Cp932Test, DecodingShiftJisBytesGivesTheUnitsBack) {
  const std::string bytes = "C:\\\x87\x40\xfb\xfc\x82\xa0\xb1~\x81\x60";
  const std::u16string text = DecodeCp932(bytes);
  EXPECT_EQ(text, u"C:\\\u2460\u9AD9\u3042\uFF71~\uFF5E");
  std::string again;
  for (char16_t unit : text) {
    again += EncodeCp932Unit(unit);
  }
  EXPECT_EQ(again, bytes);
}

TEST(Cp932Test, BytesWithoutCharacterDecodeToTheDefaultCharacter) {
  struct Case {
    std::string bytes;
    std::u16string text;
    const char* what;
  };
  const Case cases[] = {
      {"\x80\xa0\xfd\xfe\xff", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", "single bytes outside Shift-JIS"},
      {"\x85\x40", u"\u30FB", "placeholder record of an empty lead byte"},
      {"\x85\x41z", u"\u30FBz", "pair without character takes both bytes"},
      {"\x82\x0a", u"\u30FB\n", "a byte that is no trail byte stays a character of its own"},
      {"\x82\x7f", u"\u30FB\u007F", "0x7F is no trail byte"},
      {"a\x82", u"a\u30FB", "lead byte at the end"},
      {"", u"", "empty"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeCp932(c.bytes), c.text) << c.what;
  }
}

}  // namespace
}  // namespace kestrova
