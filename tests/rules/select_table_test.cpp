#include "rules/select_table.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using Values = std::vector<std::u16string>;

class SelectTableTest : public ::testing::Test {
 protected:
  int Load(const std::string& content) {
    test::WriteUtf16File(m_dir.path() / "KQD_SELECT.ini", content);
    return m_table.LoadSelectLists(Path());
  }
  std::u16string Path() const { return FromFsPath(m_dir.path() / "KQD_SELECT.ini"); }
  test::ScratchDir m_dir;
  SelectTable m_table;
};

TEST_F(SelectTableTest, ReadsListsInFileOrder) {
  ASSERT_EQ(Load("3\n"
                 "写真-大分類,3,工事,測量,調査\n"
                 "代表写真,2,1,0,余分\n"
                 "\"区分,記号\",1,\"a,b\"\n"),
            0);
  EXPECT_EQ(m_table.ruleFilePath, Path());
  ASSERT_EQ(m_table.items.size(), 3u);
  EXPECT_EQ(m_table.FindSelectList(u"写真-大分類").values, (Values{u"工事", u"測量", u"調査"}));
  EXPECT_EQ(m_table.FindSelectList(u"代表写真").values, (Values{u"1", u"0"}));
  EXPECT_EQ(m_table.FindSelectList(u"区分,記号").values, (Values{u"a,b"}));
}

TEST_F(SelectTableTest, CountsDecideWhatIsRead) {
  struct Case {
    std::string content;
    std::vector<Values> lists;
  };
  const std::vector<Case> cases = {
      // Fewer values than announced: the missing ones are empty values.
      {"1\nA,3,x,y\n", {{u"x", u"y", u""}}},
      // A count far beyond the line gives one empty value for all the missing ones.
      {"1\nA,2147483647,x\n", {{u"x", u""}}},
      // The first line limits the lists; lines after the last list are ignored.
      {"2\nA,1,a\nB,1,b\nC,1,c\n", {{u"a"}, {u"b"}}},
      // 0, a negative count or no number: every line is a list.
      {"0\nA,1,a\nB,1,b\nC,1,c\n", {{u"a"}, {u"b"}, {u"c"}}},
      {"-1\nA,1,a\nB,1,b\n", {{u"a"}, {u"b"}}},
      {"lists\nA,1,a\nB,1,b\n", {{u"a"}, {u"b"}}},
      // A value count without a number keeps the count read before it.
      {"2\nA,x,a,b,c\nB,1,b\n", {{u"a", u"b"}, {u"b"}}},
      {"3\nA,2,a,b,c\nB,,b,c,d\nC,0,c\n", {{u"a", u"b"}, {u"b", u"c"}, {}}},
      {"2\nA,-3,a\nB,1,b\n", {{}, {u"b"}}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Load(c.content), 0) << c.content;
    std::vector<Values> lists;
    for (const SelectItem& item : m_table.items) lists.push_back(item.values);
    EXPECT_EQ(lists, c.lists) << c.content;
  }
}

TEST_F(SelectTableTest, TruncatedAndMissingFiles) {
  ASSERT_EQ(Load("1\nA,1,a\n"), 0);
  ASSERT_EQ(Load(""), 0);
  EXPECT_TRUE(m_table.items.empty());
  EXPECT_EQ(m_table.ruleFilePath, Path());
  ASSERT_EQ(Load("2"), 0);
  EXPECT_TRUE(m_table.items.empty());

  ASSERT_EQ(Load("1\nA,1,a\n"), 0);
  EXPECT_EQ(m_table.LoadSelectLists(FromFsPath(m_dir.path() / "none.ini")), -1);
  EXPECT_TRUE(m_table.items.empty());
  EXPECT_EQ(m_table.ruleFilePath, u"NONE");
}

TEST_F(SelectTableTest, FindSelectListTakesTheFirstListOfExactlyThatName) {
  ASSERT_EQ(Load("0\nabc,1,first\nabc,1,second\nABC,1,upper\n"), 0);
  EXPECT_EQ(m_table.FindSelectList(u"abc").values, (Values{u"first"}));
  EXPECT_EQ(m_table.FindSelectList(u"ABC").values, (Values{u"upper"}));
  const SelectItem none = m_table.FindSelectList(u"Abc");
  EXPECT_EQ(none.name, u"");
  EXPECT_TRUE(none.values.empty());
}

TEST_F(SelectTableTest, SelectionTestComparesWholeValuesAndGivesTheListText) {
  ASSERT_EQ(Load("3\n"
                 "写真-大分類,3,工事,測量,調査\n"
                 "空きあり,3,x,y\n"
                 "空,0\n"),
            0);
  struct Case {
    const char16_t* list;
    const char16_t* value;
    std::optional<std::u16string> result;
  };
  const std::u16string categories = u"'工事','測量','調査'";
  const std::vector<Case> cases = {
      {u"写真-大分類", u"工事", std::nullopt},
      {u"写真-大分類", u"調査", std::nullopt},
      {u"写真-大分類", u" 工事", categories},
      {u"写真-大分類", u"工事 ", categories},
      {u"写真-大分類", u"工", categories},
      {u"写真-大分類", u"", categories},
      {u"空きあり", u"", std::nullopt},
      {u"空きあり", u"z", u"'x','y',''"},
      {u"空", u"", u"''"},
      {u"空", u"x", u"''"},
      {u"無い", u"", u"''"},
      {u"無い", u"工事", u"''"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m_table.TestSelection(c.list, c.value), c.result) << Utf16ToUtf8(c.value);
  }
}

}  // namespace
}  // namespace kestrova
