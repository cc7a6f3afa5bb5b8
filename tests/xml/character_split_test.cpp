#include "xml/character_split.h"

#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace kestrova {
namespace {

using Codes = std::vector<std::u16string>;

TEST(CharacterSplitTest, SplitsValuesAsCodePage932WritesThem) {
  struct Case {
    std::u16string value;
    Codes codes;
    const char* what;
  };
  const Case cases[] = {
      {u"", {}, "empty value"},
      {u"A1 ", {u"0041", u"0031", u"0020"}, "ASCII, each byte with two leading zeros"},
      {u"あ漢", {u"82a0", u"8abf"}, "double-byte characters"},
      {u"ｱﾞ", {u"00b1", u"00de"}, "half-width katakana are single bytes"},
      {u"①Ⅰ", {u"8740", u"8754"}, "NEC special characters"},
      {u"髙纊", {u"fbfc", u"fa5c"}, "IBM extensions"},
      {u"\u00A5\u00A2\u00C0", {u"005c", u"8191", u"0041"}, "best-fit mappings"},
      {u"\u301C\u0100", {u"003f", u"003f"}, "characters outside the code page are '?'"},
      {u"a\U00020B9Fb", {u"0061", u"003f", u"003f", u"0062"}, "each half of a surrogate pair"},
      {u"\uE000", {u"f040"}, "user-defined character"},
      {u"\u0080", {u"0080"}, "U+0080 is the single byte 0x80"},
  };
  for (const Case& c : cases) {
    const CharacterSplit split = SplitCharacters(c.value);
    EXPECT_EQ(split.codes, c.codes) << c.what;
    EXPECT_EQ(split.count, static_cast<int>(c.codes.size())) << c.what;
    EXPECT_EQ(split.chars.size(), c.codes.size()) << c.what;
  }
}

TEST(CharacterSplitTest, KeepsEachCharactersBytes) {
  const CharacterSplit split = SplitCharacters(u"Aあｱ");
  EXPECT_EQ(split.chars, (std::vector<std::string>{"A", "\x82\xa0", "\xb1"}));
}

TEST(CharacterSplitTest, CountsCharactersNotBytesAndSplitsLongValuesInFull) {
  EXPECT_EQ(SplitCharacters(u"あいうえおかきくけこ").count, 10);
  const CharacterSplit split = SplitCharacters(std::u16string(300, u'漢'));
  EXPECT_EQ(split.count, 300);
  EXPECT_EQ(split.codes.back(), u"8abf");
}

TEST(CharacterSplitTest, WalksLeadBytesOfTheBytes) {
  struct Case {
    std::string bytes;
    Codes codes;
    const char* what;
  };
  const Case cases[] = {
      {"A\x82", {u"0041"}, "a lead byte at the end is not counted"},
      {"\x82\xa0\x82", {u"82a0"}, "a lead byte after a double-byte character"},
      {"\x82", {}, "a lead byte alone"},
      {"\x82\x20"
       "A",
       {u"8220", u"0041"},
       "a lead byte takes the next byte, whatever it is"},
      {"\x80\xa0\xfd", {u"0080", u"00a0", u"00fd"}, "bytes that are no lead bytes"},
      {"\xe0\x40\x9f\xfc", {u"e040", u"9ffc"}, "lead bytes of both lead-byte ranges"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitCp932Bytes(c.bytes).codes, c.codes) << c.what;
  }
}

}  // namespace
}  // namespace kestrova
