#include "rules/relation_table.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "run/run_globals.h"
#include "support/guideline_scope.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

constexpr char kExample[] =
    "撮影工種区分,写真-大分類,工種,種別,細別\n"
    "1\n"
    "工事,2\n"
    "道路土工,2\n"
    "掘削工,1\n土砂掘削\n"
    "路体盛土工,1\n路体盛土\n"
    "舗装工,1\n"
    "アスファルト舗装工,2\n表層工\n基層工\n";

constexpr char16_t kUndef[] = u"<未定義>";

class RelationTableTest : public ::testing::Test {
 protected:
  int Load(const std::string& content) {
    test::WriteUtf16File(Path(), content);
    return LoadRelationTable(FromFsPath(Path()));
  }
  std::filesystem::path Path() const { return m_dir.path() / "KQD_RELATION.ini"; }

  test::ScratchDir m_dir;
  test::GuidelineScope m_guideline{kRuleSetCurrent, u"Varnelia平成29年7月"};
};

struct MatchCase {
  std::u16string head, type, kind, detail;
  bool allowed;
};

void ExpectMatches(const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    EXPECT_EQ(MatchRelation(c.head, c.type, c.kind, c.detail), c.allowed)
        << testing::PrintToString(c.head) << " " << testing::PrintToString(c.type) << " "
        << testing::PrintToString(c.kind) << " " << testing::PrintToString(c.detail);
  }
}

TEST_F(RelationTableTest, ReadsHeaderAndTreeInFileOrder) {
  ASSERT_EQ(Load(kExample), 0);
  EXPECT_EQ(GetRelationSelectPath(), u"撮影工種区分");
  EXPECT_EQ(GetRelationHeadElement(), u"写真-大分類");
  EXPECT_EQ(GetWorkTypeElement(), u"工種");
  EXPECT_EQ(GetWorkKindElement(), u"種別");
  EXPECT_EQ(GetWorkDetailElement(), u"細別");
  ASSERT_EQ(GetRelationCount(), 1u);
  const AllRelationItem top = GetRelationAt(0);
  EXPECT_EQ(top.name, u"工事");
  ASSERT_EQ(top.relations.size(), 2u);
  EXPECT_EQ(top.relations[0].name, u"道路土工");
  ASSERT_EQ(top.relations[0].children.size(), 2u);
  EXPECT_EQ(top.relations[0].children[1].name, u"路体盛土工");
  EXPECT_EQ(top.relations[0].children[1].values, std::vector<std::u16string>{u"路体盛土"});
  EXPECT_EQ(top.relations[1].name, u"舗装工");
  EXPECT_EQ(top.relations[1].children[0].values,
            (std::vector<std::u16string>{u"表層工", u"基層工"}));
  const AllRelationItem past = GetRelationAt(1);
  EXPECT_TRUE(past.name.empty());
  EXPECT_TRUE(past.relations.empty());
}

TEST_F(RelationTableTest, MatchRelationTestsTheWholeCombination) {
  ASSERT_EQ(Load(kExample), 0);
  for (const std::u16string ruleSet : {kRuleSetCurrent, kRuleSetOlder}) {
    g_szRuleSet = ruleSet;
    ExpectMatches({
        {u"工事", u"道路土工", u"掘削工", u"土砂掘削", true},
        {u"工事", u"道路土工", kUndef, kUndef, true},
        {u"工事", u"道路土工", u"掘削工", kUndef, true},
        {u"工事", u"道路土工", kUndef, u"土砂掘削", false},
        {u"工事", u"道路土工", u"路体盛土工", u"土砂掘削", false},
        {u"工事", u"道路土工", u"掘削工", u"路体盛土", false},
        {u"工事", u"道路土工", u"土砂掘削", kUndef, false},
        {u"工事", u"舗装工", u"掘削工", u"土砂掘削", false},
        {u"工事", u"舗装工", u"アスファルト舗装工", u"基層工", true},
        {u"工事", u"橋梁上部工", kUndef, kUndef, false},
        {u"工事", kUndef, kUndef, kUndef, false},
        {u"測量", u"道路土工", kUndef, kUndef, false},
        {u"工事", u"道路土工", u"掘削工", u"", false},
    });
  }
}

TEST_F(RelationTableTest, UnderTheH24GuidelineOnlyTheWorkTypeIsTested) {
  ASSERT_EQ(Load(kExample), 0);
  SetGuideline(u"Varnelia平成24年7月");
  ExpectMatches({
      {u"工事", u"道路土工", u"掘削工", u"土砂掘削", true},
      {u"工事", u"道路土工", kUndef, u"土砂掘削", true},
      {u"工事", u"道路土工", u"路体盛土工", u"土砂掘削", true},
      {u"工事", u"道路土工", u"何か", u"何でも", true},
      {u"工事", u"橋梁上部工", kUndef, kUndef, false},
      {u"工事", u"橋梁上部工", u"掘削工", u"土砂掘削", false},
      {u"測量", u"道路土工", kUndef, kUndef, false},
  });
  // The rule belongs to the current format only, and to the guideline text exactly.
  g_szRuleSet = kRuleSetOlder;
  ExpectMatches({{u"工事", u"道路土工", kUndef, u"土砂掘削", false}});
  g_szRuleSet = kRuleSetCurrent;
  SetGuideline(u"Varnelia平成28年7月");
  ExpectMatches({{u"工事", u"道路土工", kUndef, u"土砂掘削", false}});
}

TEST_F(RelationTableTest, FirstEntryOfANameIsTheOneUsedOnEveryLevel) {
  ASSERT_EQ(Load("a,b,c,d,e\n2\n"
                 "工事,2\n道路土工,2\n掘削工,1\n土砂掘削\n掘削工,1\n軟岩掘削\n"
                 "道路土工,1\n路体盛土工,1\n路体盛土\n"
                 "工事,1\n舗装工,1\n表層工,1\n表層\n"),
            0);
  ExpectMatches({
      {u"工事", u"道路土工", u"掘削工", u"土砂掘削", true},
      {u"工事", u"道路土工", u"掘削工", u"軟岩掘削", false},
      {u"工事", u"道路土工", u"路体盛土工", kUndef, false},
      {u"工事", u"舗装工", kUndef, kUndef, false},
  });
}

TEST_F(RelationTableTest, EntriesCutShortByTheEndOfTheFileAreDropped) {
  // The second top-level entry announces two 工種 entries but holds one.
  ASSERT_EQ(Load(std::string(kExample) + "測量,2\n基準点測量,1\n標杭,1\n杭\n"), 0);
  EXPECT_EQ(GetRelationCount(), 1u);
  ExpectMatches({{u"測量", u"基準点測量", kUndef, kUndef, false}});
  // Cut inside a 細別 list: nothing of the entry survives.
  ASSERT_EQ(Load("a,b,c,d,e\n1\n工事,1\n道路土工,1\n掘削工,3\n土砂掘削\n"), 0);
  EXPECT_EQ(GetRelationCount(), 0u);
}

TEST_F(RelationTableTest, CountsBelowOneOrNotNumbersAnnounceNothingBelow) {
  // Each such entry is complete at once, with nothing below it, and the next line is read on the
  // same level: no later line is taken into it.
  ASSERT_EQ(Load("a,b,c,d,e\n?\n"
                 "工事,3\n"
                 "道路土工,0\n"
                 "舗装工,abc\n"
                 "橋梁下部工,2\n橋台躯体工,-1\n場所打杭工,\n"
                 "調査,-5\n"
                 "測量,1\n基準点測量,1\n標杭,1\n杭\n"),
            0);
  ASSERT_EQ(GetRelationCount(), 3u);
  const AllRelationItem top = GetRelationAt(0);
  ASSERT_EQ(top.relations.size(), 3u);
  EXPECT_TRUE(top.relations[0].children.empty());
  EXPECT_TRUE(top.relations[1].children.empty());
  ASSERT_EQ(top.relations[2].children.size(), 2u);
  EXPECT_TRUE(top.relations[2].children[1].values.empty());
  EXPECT_EQ(GetRelationAt(1).name, u"調査");
  EXPECT_TRUE(GetRelationAt(1).relations.empty());
  ExpectMatches({
      {u"工事", u"道路土工", kUndef, kUndef, true},
      {u"工事", u"道路土工", u"掘削工", kUndef, false},
      {u"工事", u"橋梁下部工", u"橋台躯体工", kUndef, true},
      {u"工事", u"橋梁下部工", u"橋台躯体工", u"橋台", false},
      {u"調査", u"道路土工", kUndef, kUndef, false},
      {u"測量", u"基準点測量", u"標杭", u"杭", true},
  });
}

TEST_F(RelationTableTest, EachLoadReplacesTheTable) {
  ASSERT_EQ(Load(kExample), 0);
  ASSERT_EQ(Load("h,w,t,k,d\n1\n測量,1\n基準点測量,1\n標杭,1\n杭\n"), 0);
  EXPECT_EQ(GetRelationCount(), 1u);
  EXPECT_EQ(GetRelationHeadElement(), u"w");
  ExpectMatches({{u"工事", u"道路土工", kUndef, kUndef, false}});
  ASSERT_EQ(Load(""), 0);
  EXPECT_EQ(GetRelationCount(), 0u);
  EXPECT_TRUE(GetRelationSelectPath().empty());
  ASSERT_EQ(Load(kExample), 0);
  std::filesystem::remove(Path());
  EXPECT_EQ(LoadRelationTable(FromFsPath(Path())), -1);
  EXPECT_EQ(GetRelationCount(), 0u);
  EXPECT_TRUE(GetWorkTypeElement().empty());
}

}  // namespace
}  // namespace kestrova
