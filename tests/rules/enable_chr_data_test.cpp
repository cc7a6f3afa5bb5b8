// The character data of the installation: the character sets of both rule folders, the
// replacement pairs and the Unicode character list, and how they fit together.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "rules/enable_chr_table.h"
#include "rules/replacement_table.h"
#include "rules/unicode_list.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

const std::filesystem::path kProgramDir = KESTROVA_TEST_PROGRAM_DIR;

// The code text of a character's code page 932 bytes, as the value tests write it.
std::u16string CodeText(const std::string& bytes) {
  char text[5];
  const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::snprintf(text, sizeof text, "%02x%02x", bytes.size() == 2 ? byte(0) : 0,
                byte(bytes.size() - 1));
  return Utf8ToUtf16(text);
}

std::vector<char16_t> InstalledUnicodeList() {
  const std::string bytes = test::ReadBytes(kProgramDir / "PHOT_KQ4" / "unicode_list.dat");
  std::vector<char16_t> units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return units;
}

class EnableChrDataTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadEnableChrTable(FromFsPath(kProgramDir / GetParam() / "KQD_ENABLE_CHR.ini")), 0);
  }
};

TEST_P(EnableChrDataTest, TheSetsThatElementRulesNameAdmitTheirCharacters) {
  struct Case {
    const char16_t* set;
    char16_t character;
    bool in;
  };
  const Case cases[] = {
      {u"KQD_全角半角", u'あ', true},   {u"KQD_全角半角", u'漢', true},
      {u"KQD_全角半角", u'熙', true},   {u"KQD_全角半角", u'Ａ', true},
      {u"KQD_全角半角", u'─', true},    {u"KQD_全角半角", u'A', true},
      {u"KQD_全角半角", u' ', true},    {u"KQD_全角半角", u'～', true},
      {u"KQD_全角半角", u'①', false},   {u"KQD_全角半角", u'髙', false},
      {u"KQD_全角半角", u'ｱ', false},   {u"KQD_全角半角", u'\uE000', false},
      {u"KQD_全角", u'A', false},       {u"KQD_全角", u'　', true},
      {u"KQD_数字", u'5', true},        {u"KQD_数字", u'-', false},
      {u"KQD_数字", u'５', false},      {u"KQD_日付", u'-', true},
      {u"KQD_日付", u'/', false},       {u"KQD_日付", u'0', true},
      {u"KQD_半角英数字", u'P', true},  {u"KQD_半角英数字", u'.', true},
      {u"KQD_半角英数字", u'_', true},  {u"KQD_半角英数字", u'z', true},
      {u"KQD_半角英数字", u' ', false}, {u"KQD_半角英数字", u'あ', false},
      {u"KQD_半角カナ", u'ｱ', true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCodeInCharSet(c.set, CodeText(EncodeCp932Unit(c.character))), c.in)
        << Utf16ToUtf8(c.set) << " " << Utf16ToUtf8(std::u16string(1, c.character));
  }
  for (const char16_t* set : {u"KQD_全角半角", u"KQD_数字", u"KQD_日付", u"KQD_半角英数字"}) {
    EXPECT_FALSE(FindCharSet(set).description.empty()) << Utf16ToUtf8(set);
  }
}

TEST_P(EnableChrDataTest, FullWidthCharactersAreThoseOfTheUnicodeList) {
  // Every listed character that has two bytes lies in KQD_全角, and every code that KQD_全角
  // admits decodes to a listed character.
  const std::vector<char16_t> list = InstalledUnicodeList();
  for (char16_t unit : list) {
    const std::string bytes = EncodeCp932Unit(unit);
    if (bytes.size() == 2) {
      EXPECT_TRUE(IsCodeInCharSet(u"KQD_全角", CodeText(bytes)))
          << std::hex << static_cast<int>(unit);
    }
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string text = DecodeCp932(bytes);
      if (IsCodeInCharSet(u"KQD_全角", CodeText(bytes)) && EncodeCp932Unit(text[0]) == bytes) {
        EXPECT_TRUE(std::binary_search(list.begin(), list.end(), text[0]))
            << std::hex << lead << trail;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RuleFolders, EnableChrDataTest, ::testing::Values("PHOT_KQ4", "PHOT_KQ1"),
                         [](const auto& named) { return std::string(named.param); });

TEST(EnableChrDataTest, TheUnicodeListHolds7043AscendingUnits) {
  const std::vector<char16_t> list = InstalledUnicodeList();
  EXPECT_EQ(list.size(), kUnicodeListLength);
  EXPECT_TRUE(std::adjacent_find(list.begin(), list.end(), std::greater_equal<>()) == list.end());
}

TEST(EnableChrDataTest, WindowsFormsAreReplacedByListedStandardForms) {
  SetProgramFolder(FromFsPath(kProgramDir));
  const std::u16string windowsForms = u"～∥－￠￡￢";
  std::u16string replaced;
  ASSERT_EQ(ApplyReplacementTable(windowsForms + u"１a", replaced), 1);
  EXPECT_EQ(replaced, u"〜‖−¢£¬１a");
  std::u16string unlisted;
  EXPECT_EQ(FindUnlistedChars(replaced + u"①髙\U00020B9F", unlisted, 256), 1);
  EXPECT_EQ(unlisted, u"①髙\U00020B9F");
}

}  // namespace
}  // namespace kestrova
