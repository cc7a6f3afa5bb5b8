#include "xml/item_value_validation.h"

#include <gtest/gtest.h>

#include "platform/cached_file.h"

#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "rules/enable_chr_table.h"
#include "rules/unicode_list.h"
#include "run/run_globals.h"
#include "support/test_files.h"
#include "xml/value_findings.h"

namespace kestrova {
namespace {

const std::u16string kBlanks22(22, u' ');
const std::u16string kBlanks24(24, u' ');

class ItemValueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_savedSets = g_enableChrTable;
    m_savedRules = g_managementElementTable;
    m_savedRuleSet = g_szRuleSet;
    g_enableChrTable = {
        {u"KQD_数字", u"半角数字", {{u"0030", u"0039"}}},
        {u"KQD_全角", u"全角文字", {{u"8140", u"84be"}, {u"8740", u"879c"}, {u"889f", u"9872"}}},
        {u"KQD_全角数字", u"全角文字又は半角数字", {{u"KQD_全角", u""}, {u"KQD_数字", u""}}},
    };
    g_szRuleSet = kRuleSetCurrent;
    SetProgramFolder(FromFsPath(m_dir.path()));
    WriteUnicodeList();
    // The replacement table: a full-width tilde becomes a wave dash.
    test::WriteUtf16File(m_dir.path() / "PHOT_KQ4" / "KQD_ENABLE_CHR.INI",
                         "1\nKQD_置換,置換,1\n～,〜\n");
  }
  void TearDown() override {
    SetProgramFolder(u"" KESTROVA_TEST_PROGRAM_DIR);
    g_enableChrTable = m_savedSets;
    g_managementElementTable = m_savedRules;
    g_szRuleSet = m_savedRuleSet;
  }
  // ASCII, the symbols, hiragana and katakana block, then CJK ideographs: no circled digits and
  // no full-width forms.
  void WriteUnicodeList() {
    std::string bytes;
    auto add = [&bytes](char32_t unit) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    };
    for (char32_t unit = 0x20; unit <= 0x7E; ++unit) add(unit);
    for (char32_t unit = 0x3000; unit <= 0x30FF; ++unit) add(unit);
    for (char32_t unit = 0x4E00; bytes.size() < kUnicodeListLength * 2; ++unit) add(unit);
    test::WriteBytes(m_dir.path() / "PHOT_KQ4" / "unicode_list.dat", bytes);
  }
  static void SetFirstRule(const XMLElementItem& rule) { g_managementElementTable.items = {rule}; }

  test::ScratchDir m_dir;
  std::vector<EnableChrItem> m_savedSets;
  XMLElementTable m_savedRules;
  std::u16string m_savedRuleSet;
};

TEST_F(ItemValueTest, CharacterTestWithAndWithoutStrict) {
  struct Case {
    const char16_t* set;
    std::u16string value;
    const char16_t* ruleSet;
    bool loose;
    bool strict;
    const char* what;
  };
  const Case cases[] = {
      {u"KQD_全角", u"あ", kRuleSetCurrent, true, true, "in the set and listed"},
      {u"KQD_全角", u"A", kRuleSetCurrent, false, false, "not in the set"},
      {u"KQD_全角", u"①", kRuleSetCurrent, true, false, "in the set, not listed"},
      {u"KQD_全角", u"①", kRuleSetOlder, true, true, "the list is for PHOT_KQ4 only"},
      {u"KQD_全角", u"～", kRuleSetCurrent, true, true, "replaced by a listed unit"},
      {u"KQD_全角数字", u"5", kRuleSetCurrent, true, true, "through a named set"},
      {u"KQD_全角数字", u"①", kRuleSetCurrent, true, false, "named set, not listed"},
      {u"KQD_全角数字", u"a", kRuleSetCurrent, false, false, "in no named set"},
      {u"KQD_数字", u"１", kRuleSetCurrent, false, false, "full-width digit"},
      {u"kqd_数字", u"1", kRuleSetCurrent, false, false, "set names are exact"},
      {u"KQD_数字", u"\u301C", kRuleSetCurrent, false, false, "tested as '?'"},
  };
  for (const Case& c : cases) {
    g_szRuleSet = c.ruleSet;
    const CharacterSplit split = SplitCharacters(c.value);
    const ListedValue listed = ConvertForListTest(c.value);
    EXPECT_EQ(IsCharacterAllowed(CharSetCodes(c.set), split, 0, listed, false), c.loose) << c.what;
    EXPECT_EQ(IsCharacterAllowed(CharSetCodes(c.set), split, 0, listed, true), c.strict) << c.what;
  }
}

TEST_F(ItemValueTest, ListTestAnswersAsTheListDoesForEachUnitAlone) {
  const std::u16string value = u"～①\r\nA\n\rあ①";
  const ListedValue listed = ConvertForListTest(value);
  EXPECT_EQ(listed.converted, u"〜①\r\nA\n\rあ①");
  const CharacterSplit split = SplitCharacters(listed.converted);
  g_enableChrTable.push_back({u"KQD_全部", u"全部", {{u"0000", u"ffff"}}});
  ASSERT_EQ(split.count, static_cast<int>(listed.converted.size()));
  for (int k = 0; k < split.count; ++k) {
    std::u16string unlisted;
    FindUnlistedChars(listed.converted.substr(static_cast<size_t>(k), 1), unlisted, 2);
    EXPECT_EQ(IsCharacterAllowed(CharSetCodes(u"KQD_全部"), split, k, listed, true),
              unlisted.empty())
        << k;
  }
}

TEST_F(ItemValueTest, CharacterTestPairsTheKthCharacterWithTheKthConvertedUnit) {
  const CharacterSplit split = SplitCharacters(u"あ①");
  const ListedValue listed = ConvertForListTest(u"あ①");
  EXPECT_TRUE(IsCharacterAllowed(CharSetCodes(u"KQD_全角"), split, 0, listed, true));
  EXPECT_FALSE(IsCharacterAllowed(CharSetCodes(u"KQD_全角"), split, 1, listed, true));
  EXPECT_TRUE(
      IsCharacterAllowed(CharSetCodes(u"KQD_全角"), split, 1, ListedValue{u"①あ", u"①"}, false));
  EXPECT_TRUE(
      IsCharacterAllowed(CharSetCodes(u"KQD_全角"), split, 1, ListedValue{u"あ", u""}, true));
  EXPECT_FALSE(IsCharacterAllowed(CharSetCodes(u"KQD_全角"), split, 2, listed, false));
  EXPECT_FALSE(IsCharacterAllowed(CharSetCodes(u"KQD_全角"), split, -1, listed, false));
}

TEST_F(ItemValueTest, MissingFilesReplaceNothingAndListEverything) {
  std::filesystem::remove(m_dir.path() / "PHOT_KQ4" / "KQD_ENABLE_CHR.INI");
  ForgetFileStamps();  // as the next check run does
  const CharacterSplit tilde = SplitCharacters(u"～");
  EXPECT_FALSE(
      IsCharacterAllowed(CharSetCodes(u"KQD_全角"), tilde, 0, ConvertForListTest(u"～"), true));
  std::filesystem::remove(m_dir.path() / "PHOT_KQ4" / "unicode_list.dat");
  ForgetFileStamps();
  EXPECT_TRUE(
      IsCharacterAllowed(CharSetCodes(u"KQD_全角"), tilde, 0, ConvertForListTest(u"～"), true));
  const CharacterSplit circled = SplitCharacters(u"①");
  EXPECT_TRUE(
      IsCharacterAllowed(CharSetCodes(u"KQD_全角"), circled, 0, ConvertForListTest(u"①"), true));
}

TEST_F(ItemValueTest, ValidateValueWritesTheFirstFindingOnly) {
  const std::u16string name = u"基礎情報/メディア総枚数";
  const std::u16string head = u"  ERR-00";
  const std::u16string expl = u"\n" + kBlanks22 + u"『" + name + u"』は、";
  struct Case {
    XMLElementItem rule;
    std::u16string value;
    int code;
    std::u16string message;
  };
  const XMLElementItem digits{u"基礎情報/メディア番号", u"KQD_数字", 2, 1, u""};
  const XMLElementItem wide{u"工事名称", u"KQD_全角", 10, 0, u""};
  const XMLElementItem noSet{u"工事名称", u"KQD_無い", 10, 0, u""};
  const Case cases[] = {
      {digits, u"12", 0, u"unchanged"},
      {digits, u"", 5034,
       head + u"5034 [要修正] 必須項目が記述されていません。" + expl + u"必須入力です。\n"},
      {digits, u"123", 5032,
       head + u"5032 [要修正] 文字数制限を超えています。" + expl +
           u"2文字以内で入力してください。\n"},
      {digits, u"１２", 5033,
       head + u"5033 [要修正] 禁則文字 '１' を使用しています。" + expl +
           u"半角数字で入力してください。\n"},
      {digits, u"1\u301C", 5033,
       head + u"5033 [要修正] 禁則文字 '\u301C' を使用しています。" + expl +
           u"半角数字で入力してください。\n"},
      {wide, u"", 0, u"unchanged"},
      {wide, u"あいうえおかきくけこ", 0, u"unchanged"},
      {wide, u"あいうえおかきくけこさ", 5032,
       head + u"5032 [要修正] 文字数制限を超えています。" + expl +
           u"10文字以内で入力してください。\n"},
      {wide, u"①", 0, u"unchanged"},  // not strict: the Unicode list is not asked
      {noSet, u"a", 5033,
       head + u"5033 [要修正] 禁則文字 'a' を使用しています。" + expl + u"で入力してください。\n"},
      {XMLElementItem{}, u"", 0, u"unchanged"},
      {XMLElementItem{}, u"1", 5032,
       head + u"5032 [要修正] 文字数制限を超えています。" + expl +
           u"0文字以内で入力してください。\n"},
  };
  for (const Case& c : cases) {
    SetFirstRule(c.rule);
    std::u16string message = u"unchanged";
    EXPECT_EQ(ValidateValue(c.value, name, message), c.code) << Utf16ToUtf8(c.value);
    EXPECT_EQ(message, c.message) << Utf16ToUtf8(c.value);
  }
}

TEST_F(ItemValueTest, ValidateValueUsesTheFirstRuleOfTheManagementTable) {
  g_managementElementTable.items = {{u"a", u"KQD_数字", 1, 0, u""}, {u"b", u"KQD_全角", 9, 1, u""}};
  std::u16string message;
  EXPECT_EQ(ValidateValue(u"", u"x", message), 0);
  EXPECT_EQ(ValidateValue(u"7", u"x", message), 0);
  EXPECT_EQ(ValidateValue(u"あ", u"x", message), 5033);
  g_managementElementTable.items.clear();
  EXPECT_EQ(ValidateValue(u"", u"x", message), 0);
}

std::vector<int> Codes(const std::vector<Finding>& findings) {
  std::vector<int> codes;
  for (const Finding& finding : findings) codes.push_back(finding.code);
  return codes;
}

TEST_F(ItemValueTest, ItemValueTestsMakeEveryFinding) {
  const XMLElementItem title{u"写真タイトル", u"KQD_全角", 3, 1, u"一覧"};
  struct Case {
    std::u16string value;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {u"", {5034}},
      {u"あい", {}},
      {u"aあbc", {5032, 5033, 5033, 5033}},
      {u"ああ①", {5033}},  // strict: in the set, not in the Unicode list
      {u"～～", {}},       // replaced by wave dashes, which are listed
      {u"a\U00020B9F", {5033, 5033, 5033}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Codes(TestItemValue(title, c.value, kPhotoEntryIndent)), c.codes)
        << Utf16ToUtf8(c.value);
  }
}

TEST_F(ItemValueTest, ItemValueFindingsNameTheRuleAndCarryTheIndent) {
  const XMLElementItem title{u"写真タイトル", u"KQD_全角", 1, 1, u""};
  const std::vector<Finding> nested = TestItemValue(title, u"xあy", kPhotoEntryIndent);
  ASSERT_EQ(nested.size(), 3u);
  const std::u16string expl = u"\n" + kBlanks24 + u"『写真タイトル』は、";
  EXPECT_EQ(nested[0].text, u"    ERR-005032 [要修正] 文字数制限を超えています。" + expl +
                                u"1文字以内で入力してください。\n");
  EXPECT_EQ(nested[1].text, u"    ERR-005033 [要修正] 禁則文字 'x' を使用しています。" + expl +
                                u"全角文字で入力してください。\n");
  EXPECT_EQ(nested[2].text, u"    ERR-005033 [要修正] 禁則文字 'y' を使用しています。" + expl +
                                u"全角文字で入力してください。\n");
  const std::vector<Finding> top = TestItemValue(title, u"", kTopLevelIndent);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].text, u"  ERR-005034 [要修正] 必須項目が記述されていません。\n" + kBlanks22 +
                             u"『写真タイトル』は、必須入力です。\n");
}

TEST(ValueFindingsTest, NotInListFindingIsOneLine) {
  EXPECT_EQ(NotInListFinding(kTopLevelIndent, u"基礎情報/適用要領基準", u"'a','b'").text,
            u"  ERR-005035 [要修正] 『基礎情報/適用要領基準』は、'a','b'のいづれかを入力して"
            u"ください。\n");
  EXPECT_EQ(NotInListFinding(kPhotoEntryIndent, u"撮影工種区分/写真-大分類", u"''").text,
            u"    ERR-005035 [要修正] 『撮影工種区分/写真-大分類』は、''のいづれかを入力して"
            u"ください。\n");
}

}  // namespace
}  // namespace kestrova
