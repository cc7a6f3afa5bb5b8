#include "rules/photo_division_table.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "rules/relation_table.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

constexpr char kExample[] =
    "撮影工種区分,写真-大分類,写真区分\n"
    "2\n"
    "工事,3\n着手前及び完成写真\n施工状況写真\n品質管理写真\n"
    "測量,1\n測量写真\n";

class PhotoDivTableTest : public ::testing::Test {
 protected:
  int Load(const std::string& content) {
    test::WriteUtf16File(Path(), content);
    return LoadPhotoDivTable(FromFsPath(Path()));
  }
  std::filesystem::path Path() const { return m_dir.path() / "KQD_PHOTO_DIVISION.ini"; }
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    for (size_t i = 0; i < GetPhotoDivCount(); ++i) names.push_back(GetPhotoDivAt(i).name);
    return names;
  }

  test::ScratchDir m_dir;
};

TEST_F(PhotoDivTableTest, ReadsHeaderAndEntriesInFileOrder) {
  ASSERT_EQ(Load(kExample), 0);
  EXPECT_EQ(GetPhotoDivSelectPath(), u"撮影工種区分");
  EXPECT_EQ(GetPhotoDivCategoryElement(), u"写真-大分類");
  EXPECT_EQ(GetPhotoDivDivisionElement(), u"写真区分");
  ASSERT_EQ(GetPhotoDivCount(), 2u);
  const PhotoDivItem first = GetPhotoDivAt(0);
  EXPECT_EQ(first.name, u"工事");
  EXPECT_EQ(first.values,
            (std::vector<std::u16string>{u"着手前及び完成写真", u"施工状況写真", u"品質管理写真"}));
  EXPECT_EQ(GetPhotoDivAt(1).values, std::vector<std::u16string>{u"測量写真"});
  const PhotoDivItem past = GetPhotoDivAt(2);
  EXPECT_TRUE(past.name.empty());
  EXPECT_TRUE(past.values.empty());
}

TEST_F(PhotoDivTableTest, IsDivisionAllowedTestsThePairExactly) {
  ASSERT_EQ(Load(kExample), 0);
  struct Case {
    std::u16string category;
    std::u16string division;
    bool allowed;
  };
  const std::vector<Case> cases = {
      {u"工事", u"施工状況写真", true},   {u"工事", u"着手前及び完成写真", true},
      {u"工事", u"測量写真", false},      {u"測量", u"測量写真", true},
      {u"調査", u"測量写真", false},      {u"調査", u"", false},
      {u"工事", kUndefinedValue, false},  {u"工事", u"施工状況写真 ", false},
      {u"工事 ", u"施工状況写真", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDivisionAllowed(c.category, c.division), c.allowed)
        << testing::PrintToString(c.category) << " / " << testing::PrintToString(c.division);
  }
}

TEST_F(PhotoDivTableTest, FirstEntryOfANameIsTheOneUsed) {
  ASSERT_EQ(Load("a,b,c\n2\n工事,1\n施工状況写真\n工事,1\n完成写真\n"), 0);
  EXPECT_TRUE(IsDivisionAllowed(u"工事", u"施工状況写真"));
  EXPECT_FALSE(IsDivisionAllowed(u"工事", u"完成写真"));
}

TEST_F(PhotoDivTableTest, UndefinedIsAllowedOnlyWhereListed) {
  ASSERT_EQ(Load("a,b,c\n1\n工事,2\n<未定義>\n完成写真\n"), 0);
  EXPECT_TRUE(IsDivisionAllowed(u"工事", kUndefinedValue));
}

TEST_F(PhotoDivTableTest, EntryCutShortByTheEndOfTheFileIsDropped) {
  ASSERT_EQ(Load("a,b,c\n2\n工事,1\n完成写真\n測量,3\n測量写真\nその他写真"), 0);
  EXPECT_EQ(Names(), std::vector<std::u16string>{u"工事"});
  EXPECT_FALSE(IsDivisionAllowed(u"測量", u"測量写真"));
}

TEST_F(PhotoDivTableTest, CountsBelowOneOrNotNumbersAnnounceNoValues) {
  // Each such entry is complete at once; the lines after it keep their meaning.
  ASSERT_EQ(Load("a,b,c\nx\n"
                 "零,0\n負,-2\n文字,abc\n空,\n欠\n"
                 "工事,+1\n施工状況写真\n"
                 "測量, 2x\n測量写真\nその他写真\n"),
            0);
  EXPECT_EQ(Names(),
            (std::vector<std::u16string>{u"零", u"負", u"文字", u"空", u"欠", u"工事", u"測量"}));
  for (size_t i = 0; i < 5; ++i) EXPECT_TRUE(GetPhotoDivAt(i).values.empty());
  EXPECT_TRUE(IsDivisionAllowed(u"工事", u"施工状況写真"));
  EXPECT_TRUE(IsDivisionAllowed(u"測量", u"その他写真"));
  EXPECT_FALSE(IsDivisionAllowed(u"零", u"工事"));
}

TEST_F(PhotoDivTableTest, EachLoadReplacesTheTable) {
  ASSERT_EQ(Load(kExample), 0);
  ASSERT_EQ(Load("x,y,z\n"), 0);
  EXPECT_EQ(GetPhotoDivCount(), 0u);
  EXPECT_EQ(GetPhotoDivSelectPath(), u"x");
  ASSERT_EQ(Load(kExample), 0);
  ASSERT_EQ(Load(""), 0);
  EXPECT_EQ(GetPhotoDivCount(), 0u);
  EXPECT_TRUE(GetPhotoDivCategoryElement().empty());
  ASSERT_EQ(Load(kExample), 0);
  std::filesystem::remove(Path());
  EXPECT_EQ(LoadPhotoDivTable(FromFsPath(Path())), -1);
  EXPECT_EQ(GetPhotoDivCount(), 0u);
  EXPECT_TRUE(GetPhotoDivSelectPath().empty());
}

}  // namespace
}  // namespace kestrova
