#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "relations/relation_checks.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "run/run_globals.h"
#include "support/guideline_scope.h"
#include "support/recording_host.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

constexpr char kRelations[] =
    "撮影工種区分,写真-大分類,工種,種別,細別\n"
    "1\n"
    "工事,2\n"
    "道路土工,2\n掘削工,1\n土砂掘削\n路体盛土工,1\n路体盛土\n"
    "舗装工,1\nアスファルト舗装工,2\n表層工\n基層工\n";

constexpr char kDivisions[] =
    "撮影工種区分,写真-大分類,写真区分\n"
    "2\n"
    "工事,3\n着手前及び完成写真\n施工状況写真\n品質管理写真\n"
    "測量,1\n測量写真\n";

constexpr char kSerialLine[] = "  シリアル番号 0001\n";
constexpr char kWorkFirst[] = "    ERR-005041 [要修正] 工種／種別／細別の関連が間違っています。\n";
constexpr char kDivisionFirst[] =
    "    ERR-005042 [要修正] 大分類／写真区分の関連が間違っています。";
constexpr char kIndent[] = "                      ";

std::string WorkFinding(const std::string& type, const std::string& kind,
                        const std::string& detail) {
  return std::string(kWorkFirst) + kIndent + "『工種：" + type + "』／『種別：" + kind +
         "』／『細別：" + detail + "』\n";
}

std::string DivisionTwoLines(const std::string& category, const std::string& division) {
  return std::string(kDivisionFirst) + "\n" + kIndent + "『大分類：" + category +
         "』／『写真区分：" + division + "』\n";
}

std::string DivisionOneLine(const std::string& category, const std::string& division) {
  return std::string(kDivisionFirst) + "【大分類：" + category + "，写真区分：" + division + "】\n";
}

ElementPairs Pairs(std::initializer_list<std::pair<const char*, std::string>> pairs) {
  ElementPairs result;
  for (const auto& [name, value] : pairs)
    result.emplace_back(Utf8ToUtf16(name), Utf8ToUtf16(value));
  return result;
}

struct CheckCase {
  const char* what;
  ElementPairs pairs;
  std::vector<std::string> findings;  // in order, without the serial number line
};

class RelationChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteUtf16File(m_dir.path() / "KQD_RELATION.ini", kRelations);
    test::WriteUtf16File(m_dir.path() / "KQD_PHOTO_DIVISION.ini", kDivisions);
    ASSERT_EQ(LoadRelationTable(FromFsPath(m_dir.path() / "KQD_RELATION.ini")), 0);
    ASSERT_EQ(LoadPhotoDivTable(FromFsPath(m_dir.path() / "KQD_PHOTO_DIVISION.ini")), 0);
    StartEntry();
  }
  void TearDown() override {
    g_szSerialNo.clear();
    g_bSerialPending = 1;
  }
  void StartEntry() {
    g_szSerialNo = u"0001";
    g_bSerialPending = 1;
    m_host.log.clear();
    m_counters = FindingCounters{};
    m_message.clear();
  }
  template <typename Check>
  void Expect(const std::vector<CheckCase>& cases, Check check, int code) {
    for (const CheckCase& c : cases) {
      SCOPED_TRACE(c.what);
      StartEntry();
      const int result = check(m_message, c.pairs, m_host, m_counters);
      std::string expected;
      for (const std::string& finding : c.findings) expected += finding;
      EXPECT_EQ(result, c.findings.empty() ? 0 : code);
      EXPECT_EQ(Utf16ToUtf8(m_host.log), c.findings.empty() ? "" : kSerialLine + expected);
      EXPECT_EQ(m_counters.m_nMustFix, static_cast<int>(c.findings.size()));
      EXPECT_EQ(m_counters.m_nMustConfirm, 0);
      EXPECT_EQ(Utf16ToUtf8(m_message), c.findings.empty() ? "" : c.findings.back());
    }
  }

  test::ScratchDir m_dir;
  test::RecordingHost m_host;
  FindingCounters m_counters;
  std::u16string m_message;
  test::GuidelineScope m_guideline{kRuleSetCurrent, u"Varnelia平成29年7月"};
};

TEST_F(RelationChecksTest, WorkRelationFindings) {
  const std::string longValue(600, 'x');
  Expect(
      {
          {"allowed combination",
           Pairs({{"写真-大分類", "工事"},
                  {"写真区分", "施工状況写真"},
                  {"工種", "道路土工"},
                  {"種別", "掘削工"},
                  {"細別", "土砂掘削"}}),
           {}},
          {"細別 without 種別",
           Pairs({{"写真-大分類", "工事"}, {"工種", "道路土工"}, {"細別", "土砂掘削"}}),
           {WorkFinding("道路土工", "<未定義>", "土砂掘削")}},
          {"empty 種別 and no 細別",
           Pairs({{"写真-大分類", "工事"}, {"工種", "道路土工"}, {"種別", ""}}),
           {}},
          {"head value without an entry switches the check off",
           Pairs({{"写真-大分類", "調査"}, {"工種", "舗装工"}, {"種別", "掘削工"}}),
           {}},
          {"head value alone is not tested", Pairs({{"写真-大分類", "工事"}}), {}},
          {"classifications before any head value are passed over",
           Pairs({{"工種", "橋梁上部工"}, {"写真-大分類", "工事"}}),
           {}},
          {"a later element overwrites an earlier one before the test",
           Pairs({{"写真-大分類", "工事"}, {"工種", "舗装工"}, {"工種", "道路土工"}}),
           {}},
          {"工種 not below the head value",
           Pairs({{"写真-大分類", "工事"}, {"工種", "橋梁上部工"}}),
           {WorkFinding("橋梁上部工", "<未定義>", "<未定義>")}},
          {"two wrong groups: the first when the next head arrives, the second at the end",
           Pairs({{"写真-大分類", "工事"},
                  {"工種", "舗装工"},
                  {"種別", "掘削工"},
                  {"細別", "土砂掘削"},
                  {"写真-大分類", "工事"},
                  {"工種", "道路土工"},
                  {"種別", "路体盛土工"},
                  {"細別", "土砂掘削"}}),
           {WorkFinding("舗装工", "掘削工", "土砂掘削"),
            WorkFinding("道路土工", "路体盛土工", "土砂掘削")}},
          {"a wrong group closed by a head value without an entry",
           Pairs({{"写真-大分類", "工事"},
                  {"工種", "舗装工"},
                  {"細別", "表層工"},
                  {"写真-大分類", "調査"},
                  {"工種", "何でも"}}),
           {WorkFinding("舗装工", "<未定義>", "表層工")}},
          {"long values are shown whole",
           Pairs({{"写真-大分類", "工事"}, {"工種", "道路土工"}, {"種別", longValue}}),
           {WorkFinding("道路土工", longValue, "<未定義>")}},
          {"no pairs", {}, {}},
      },
      CheckWorkRelation, 5041);
}

TEST_F(RelationChecksTest, PhotoDivisionFindings) {
  Expect(
      {
          {"allowed pair", Pairs({{"写真-大分類", "工事"}, {"写真区分", "施工状況写真"}}), {}},
          {"last pair of the entry: one line",
           Pairs({{"写真-大分類", "工事"}, {"写真区分", "測量写真"}}),
           {DivisionOneLine("工事", "測量写真")}},
          {"pair closed by the next major category: two lines",
           Pairs({{"写真-大分類", "工事"},
                  {"写真区分", "測量写真"},
                  {"写真-大分類", "測量"},
                  {"写真区分", "測量写真"}}),
           {DivisionTwoLines("工事", "測量写真")}},
          {"both forms in one entry",
           Pairs({{"写真-大分類", "測量"},
                  {"写真区分", "施工状況写真"},
                  {"写真-大分類", "工事"},
                  {"写真区分", "測量写真"}}),
           {DivisionTwoLines("測量", "施工状況写真"), DivisionOneLine("工事", "測量写真")}},
          {"empty division is tested as undefined",
           Pairs({{"写真-大分類", "工事"}, {"写真区分", ""}}),
           {DivisionOneLine("工事", "<未定義>")}},
          {"only the first division after a major category counts",
           Pairs({{"写真-大分類", "工事"}, {"写真区分", "施工状況写真"}, {"写真区分", "測量写真"}}),
           {}},
          {"major category without an entry switches the check off",
           Pairs({{"写真-大分類", "調査"}, {"写真区分", "測量写真"}}),
           {}},
          {"a wrong pair closed by a major category without an entry",
           Pairs({{"写真-大分類", "工事"}, {"写真区分", "測量写真"}, {"写真-大分類", "調査"}}),
           {DivisionTwoLines("工事", "測量写真")}},
          {"major category alone is not tested",
           Pairs({{"写真-大分類", "工事"}, {"工種", "道路土工"}, {"写真-大分類", "工事"}}),
           {}},
          {"no pairs", {}, {}},
      },
      CheckPhotoDivision, 5042);
}

TEST_F(RelationChecksTest, SerialNumberLineOnceWhenBothChecksReport) {
  const ElementPairs pairs = Pairs({{"写真-大分類", "工事"},
                                    {"写真区分", "測量写真"},
                                    {"工種", "道路土工"},
                                    {"細別", "土砂掘削"}});
  EXPECT_EQ(CheckWorkRelation(m_message, pairs, m_host, m_counters), 5041);
  EXPECT_EQ(CheckPhotoDivision(m_message, pairs, m_host, m_counters), 5042);
  EXPECT_EQ(Utf16ToUtf8(m_host.log), kSerialLine + WorkFinding("道路土工", "<未定義>", "土砂掘削") +
                                         DivisionOneLine("工事", "測量写真"));
  EXPECT_EQ(m_counters.m_nMustFix, 2);
}

}  // namespace
}  // namespace kestrova
