#include "rules/enable_chr_table.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

constexpr const char* kExampleFile =
    "3\n"
    "KQD_全角,全角文字,2\n"
    "8140,84be\n"
    "889f,9872\n"
    "KQD_数字,半角数字,1\n"
    "0030,0039\n"
    "名称,全角文字又は半角数字,2\n"
    "KQD_全角,\n"
    "KQD_数字,\n";

class EnableChrTableTest : public ::testing::Test {
 protected:
  int Load(const std::string& content) {
    test::WriteUtf16File(m_dir.path() / "KQD_ENABLE_CHR.ini", content);
    return LoadEnableChrTable(FromFsPath(m_dir.path() / "KQD_ENABLE_CHR.ini"));
  }
  static std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    for (const auto& item : g_enableChrTable) names.push_back(item.name);
    return names;
  }
  test::ScratchDir m_dir;
};

TEST_F(EnableChrTableTest, SetsAdmitTheirRangesAndTheSetsTheyName) {
  ASSERT_EQ(Load(kExampleFile), 0);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"KQD_全角", u"KQD_数字", u"名称"}));
  struct Case {
    const char16_t* set;
    const char16_t* code;
    bool in;
  };
  const Case cases[] =
      {
          {u"名称", u"82a0", true},  // through KQD_全角
          {u"名称", u"0035", true},  // through KQD_数字
          {u"名称", u"0041", false},
          {u"KQD_全角", u"8140", true},  // both bounds belong to the range
          {u"KQD_全角", u"84be", true},
          {u"KQD_全角", u"84bf", false},
          {u"KQD_全角", u"9872", true},
          {u"KQD_全角", u"0035", false},
          {u"kqd_全角", u"82a0", false},  // set names differ in letter case: no set
          {u"KQD_無い", u"0030", false},
      };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCodeInCharSet(c.set, c.code), c.in)
        << Utf16ToUtf8(c.set) << " " << Utf16ToUtf8(c.code);
  }
}

TEST_F(EnableChrTableTest, FindCharSetCopiesTheFirstSetOfTheName) {
  ASSERT_EQ(Load(std::string(kExampleFile) + "名称,別の説明,1\n0041,005a\n"), 0);
  const EnableChrItem set = FindCharSet(u"名称");
  EXPECT_EQ(set.description, u"全角文字又は半角数字");
  ASSERT_EQ(set.ranges.size(), 2u);
  EXPECT_EQ(set.ranges[0].from, u"KQD_全角");
  EXPECT_FALSE(IsCodeInCharSet(u"名称", u"0041"));  // the second set of the name is not asked

  const EnableChrItem none = FindCharSet(u"名前");
  EXPECT_TRUE(none.name.empty() && none.description.empty() && none.ranges.empty());
}

TEST_F(EnableChrTableTest, CodesCompareAsTexts) {
  // An upper-case bound sorts before the lower-case codes: 82a0 is after 82A5 in text order.
  ASSERT_EQ(Load("1\nKQD_かな,かな,1\n8240,82A5\n"), 0);
  EXPECT_FALSE(IsCodeInCharSet(u"KQD_かな", u"82a0"));
  EXPECT_TRUE(IsCodeInCharSet(u"KQD_かな", u"8299"));
}

TEST_F(EnableChrTableTest, ASetWhoseRangeLinesStopShortIsNotTaken) {
  ASSERT_EQ(Load("2\nKQD_数字,半角数字,1\n0030,0039\nKQD_英字,半角英字,3\n0041,005a\n0061,007a\n"),
            0);
  EXPECT_EQ(Names(), std::vector<std::u16string>{u"KQD_数字"});
  EXPECT_FALSE(IsCodeInCharSet(u"KQD_英字", u"0041"));
}

TEST_F(EnableChrTableTest, AHeaderWithoutAPositiveCountGivesNoSetAndReadingGoesOn) {
  // Each bad header is dropped, its range lines are read as headers (without a count, so they
  // are dropped too), and the next good header starts a set again.
  ASSERT_EQ(Load("4\n"
                 "KQD_零,零個,0\n"
                 "0030,0039\n"
                 "KQD_負,負数,-2\n"
                 "KQD_文字,数でない,abc\n"
                 "KQD_数字,\n"
                 "\n"
                 "KQD_数字,半角数字,1\n"
                 "0030,0039\n"),
            0);
  EXPECT_EQ(Names(), std::vector<std::u16string>{u"KQD_数字"});
  EXPECT_TRUE(IsCodeInCharSet(u"KQD_数字", u"0035"));
}

TEST_F(EnableChrTableTest, ReferenceCyclesEndAndAdmitWhatTheirSetsHold) {
  ASSERT_EQ(Load("3\n"
                 "KQD_甲,甲,2\n"
                 "KQD_乙,\n"
                 "0030,0039\n"
                 "KQD_乙,乙,2\n"
                 "KQD_甲,\n"
                 "0041,005a\n"
                 "KQD_自分,自分,1\n"
                 "KQD_自分,\n"),
            0);
  EXPECT_TRUE(IsCodeInCharSet(u"KQD_甲", u"0041"));
  EXPECT_TRUE(IsCodeInCharSet(u"KQD_乙", u"0035"));
  EXPECT_FALSE(IsCodeInCharSet(u"KQD_甲", u"0061"));
  EXPECT_FALSE(IsCodeInCharSet(u"KQD_自分", u"0030"));
}

TEST_F(EnableChrTableTest, EveryLoadReplacesTheTableAndAMissingFileEmptiesIt) {
  ASSERT_EQ(Load(kExampleFile), 0);
  ASSERT_EQ(Load("1\nKQD_数字,半角数字,1\n0030,0039\n"), 0);
  EXPECT_EQ(Names(), std::vector<std::u16string>{u"KQD_数字"});
  EXPECT_EQ(LoadEnableChrTable(FromFsPath(m_dir.path() / "無い.ini")), -1);
  EXPECT_TRUE(g_enableChrTable.empty());
}

}  // namespace
}  // namespace kestrova
