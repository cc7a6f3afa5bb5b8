#include "rules/xml_element_table.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

class XmlElementTableTest : public ::testing::Test {
 protected:
  int Load(const std::string& content) {
    test::WriteUtf16File(m_dir.path() / "KQD_XML_PHTKQ.ini", content);
    return m_table.LoadElementRules(Path());
  }
  std::u16string Path() const { return FromFsPath(m_dir.path() / "KQD_XML_PHTKQ.ini"); }
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    for (const XMLElementItem& item : m_table.items) names.push_back(item.name);
    return names;
  }
  test::ScratchDir m_dir;
  XMLElementTable m_table;
};

const std::string kFiveElements =
    "基礎情報/メディア番号,KQD_数字,3,1,\n"
    "基礎情報/メディア総枚数,KQD_数字,3,1,\n"
    "基礎情報/適用要領基準,KQD_全角半角,30,1,適用要領基準\n"
    "工事件名等/工事番号,KQD_半角英数字,20,1,\n"
    "工事件名等/工事名称,KQD_全角半角,127,1,\n";

TEST_F(XmlElementTableTest, ReadsFileNamesAndElementRules) {
  ASSERT_EQ(Load("PHOTO_KQ.XML,ignored\nPHOT_KQ4.DTD\n5\n" + kFiveElements), 0);
  EXPECT_EQ(m_table.xmlFileName, u"PHOTO_KQ.XML");
  EXPECT_EQ(m_table.dtdFileName, u"PHOT_KQ4.DTD");
  EXPECT_EQ(m_table.ruleFilePath, Path());
  ASSERT_EQ(m_table.GetRuleCount(), 5);
  const XMLElementItem third = m_table.GetRuleAt(2);
  EXPECT_EQ(third.name, u"基礎情報/適用要領基準");
  EXPECT_EQ(third.charSet, u"KQD_全角半角");
  EXPECT_EQ(third.maxLength, 30);
  EXPECT_EQ(third.required, 1);
  EXPECT_EQ(third.selectName, u"適用要領基準");
  const XMLElementItem fourth = m_table.GetRuleAt(3);
  EXPECT_EQ(fourth.name, u"工事件名等/工事番号");
  EXPECT_EQ(fourth.maxLength, 20);
  EXPECT_EQ(fourth.required, 1);
  EXPECT_EQ(fourth.selectName, u"");
}

TEST_F(XmlElementTableTest, TheCountLineLimitsTheElementRules) {
  struct Case {
    const char* count;
    int rules;
  };
  for (const Case& c : {Case{"2", 2}, Case{"0", 5}, Case{"-1", 5}, Case{"9", 5}, Case{"x", 5},
                        Case{" 3 rules", 3}}) {
    ASSERT_EQ(Load(std::string("PHOTO_KQ.XML\nPHOT_KQ4.DTD\n") + c.count + "\n" + kFiveElements),
              0);
    EXPECT_EQ(m_table.GetRuleCount(), c.rules) << c.count;
    EXPECT_EQ(m_table.GetRuleAt(0).name, u"基礎情報/メディア番号") << c.count;
  }
}

TEST_F(XmlElementTableTest, FieldsThatAreNoNumbersOrAreMissingGiveZeroAndEmpty) {
  ASSERT_EQ(Load("PHOTO.XML\nPHOTO04.DTD\n0\n"
                 "写真タイトル,KQD_全角半角,長い,必須\n"
                 "撮影年月日\n"
                 "\n"
                 "\"付加情報/参考図ファイル名\",\"KQD_半角英数字\",12 文字,\"1\",\"a,b\"\n"),
            0);
  ASSERT_EQ(m_table.GetRuleCount(), 4);
  EXPECT_EQ(m_table.GetRuleAt(0).maxLength, 0);
  EXPECT_EQ(m_table.GetRuleAt(0).required, 0);
  EXPECT_EQ(m_table.GetRuleAt(1).name, u"撮影年月日");
  EXPECT_EQ(m_table.GetRuleAt(1).charSet, u"");
  EXPECT_EQ(m_table.GetRuleAt(2).name, u"");  // an empty line is a rule that matches nothing
  const XMLElementItem quoted = m_table.GetRuleAt(3);
  EXPECT_EQ(quoted.name, u"付加情報/参考図ファイル名");
  EXPECT_EQ(quoted.maxLength, 12);
  EXPECT_EQ(quoted.required, 1);
  EXPECT_EQ(quoted.selectName, u"a,b");
}

TEST_F(XmlElementTableTest, GetRuleAtOutsideTheTableGivesTheDefaultRule) {
  ASSERT_EQ(Load("PHOTO_KQ.XML\nPHOT_KQ4.DTD\n5\n" + kFiveElements), 0);
  for (int index : {-1, 5, 100}) {
    const XMLElementItem rule = m_table.GetRuleAt(index);
    EXPECT_EQ(rule.name, u"") << index;
    EXPECT_EQ(rule.charSet, u"") << index;
    EXPECT_EQ(rule.maxLength, 0) << index;
    EXPECT_EQ(rule.required, 0) << index;
  }
}

TEST_F(XmlElementTableTest, TruncatedFilesKeepWhatTheyHold) {
  struct Case {
    std::string content;
    std::u16string xmlFile;
    std::u16string dtdFile;
  };
  const std::vector<Case> cases = {
      {"", u"", u""},
      {"PHOTO_KQ.XML", u"PHOTO_KQ.XML", u""},
      {"PHOTO_KQ.XML\nPHOT_KQ4.DTD\n", u"PHOTO_KQ.XML", u"PHOT_KQ4.DTD"},
      {"PHOTO_KQ.XML\nPHOT_KQ4.DTD\n3", u"PHOTO_KQ.XML", u"PHOT_KQ4.DTD"},
  };
  for (const Case& c : cases) {
    // A table loaded before must not lend its names or rules to a shorter file.
    ASSERT_EQ(Load("OLD.XML\nOLD.DTD\n0\n" + kFiveElements), 0);
    ASSERT_EQ(Load(c.content), 0) << c.content;
    EXPECT_EQ(m_table.xmlFileName, c.xmlFile) << c.content;
    EXPECT_EQ(m_table.dtdFileName, c.dtdFile) << c.content;
    EXPECT_EQ(m_table.GetRuleCount(), 0) << c.content;
    EXPECT_EQ(m_table.GetRuleAt(0).name, u"") << c.content;
    EXPECT_EQ(m_table.ruleFilePath, Path());
  }
}

TEST_F(XmlElementTableTest, MissingFileLeavesAnEmptyTable) {
  ASSERT_EQ(Load("PHOTO_KQ.XML\nPHOT_KQ4.DTD\n0\n" + kFiveElements), 0);
  EXPECT_EQ(m_table.LoadElementRules(FromFsPath(m_dir.path() / "none.ini")), -1);
  EXPECT_EQ(m_table.GetRuleCount(), 0);
  EXPECT_EQ(m_table.xmlFileName, u"");
  EXPECT_EQ(m_table.ruleFilePath, u"NONE");
}

TEST_F(XmlElementTableTest, LongFieldsAreCutTo1023Characters) {
  const std::string longName(2000, 'n');
  ASSERT_EQ(Load("PHOTO_KQ.XML\nPHOT_KQ4.DTD\n1\n" + longName + ",KQD_数字,1,1,\n"), 0);
  EXPECT_EQ(m_table.GetRuleAt(0).name, std::u16string(1023, u'n'));
  EXPECT_EQ(m_table.GetRuleAt(0).charSet, u"KQD_数字");
}

}  // namespace
}  // namespace kestrova
