#include "xml/media_values.h"

#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "rules/default_settings.h"
#include "xml/xml_medium.h"

namespace kestrova {
namespace {

class MediaValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_savedSettings = g_defaultSettings;
    g_defaultSettings.MEDHIA_NO_ELM = u"基礎情報/メディア番号";
    g_defaultSettings.MEDHIA_ALL_ELM = u"基礎情報/メディア総枚数";
    g_defaultSettings.RULE_ELM = u"基礎情報/適用要領基準";
  }
  void TearDown() override { g_defaultSettings = m_savedSettings; }

  void Load(const std::string& basicInfo) {
    m_medium.Write("PHOTO04.DTD", test::kPhotoDtd);
    std::u16string message;
    ASSERT_EQ(m_parser.Load(m_medium.Write("PHOTO.XML", test::PhotoDocument(basicInfo)), message),
              0)
        << Utf16ToUtf8(message);
  }

  // Fails every value equal to the given one with a finding that names value and display name.
  ValueValidator Failing(std::u16string bad) {
    return [bad, this](const std::u16string& value, const std::u16string& name,
                       std::u16string& message) {
      m_validated.push_back(value);
      if (value != bad) return 0;
      message = u"5032 " + name + u" " + value;
      return 5032;
    };
  }

  test::RuleSetScope m_ruleSet{u"PHOT_KQ4"};
  test::XmlMedium m_medium;
  DefaultSettings m_savedSettings;
  CPhotoKQXmlParser m_parser;
  std::vector<std::u16string> m_validated;
};

TEST_F(MediaValuesTest, TakesTheLastValidNumber) {
  Load(
      "<基礎情報><メディア番号> +1x</メディア番号><メディア番号>2</メディア番号>"
      "<メディア総枚数>-3</メディア総枚数></基礎情報>");
  const struct {
    std::u16string failing;
    int number;
    std::u16string message;
  } cases[] = {
      {u"none", 2, u"untouched"},
      {u"2", 1, u"5032 基礎情報/メディア番号 2"},
      {u"+1x", 0, u"5032 基礎情報/メディア番号 +1x"},
  };
  for (const auto& c : cases) {
    std::u16string message = u"untouched";
    m_validated.clear();
    EXPECT_EQ(GetMediaNumber(m_parser, Failing(c.failing), message), c.number);
    EXPECT_EQ(message, c.message);
  }
  std::u16string message;
  m_validated.clear();
  EXPECT_EQ(GetMediaTotal(m_parser, Failing(u"none"), message), -3);
  EXPECT_EQ(m_validated, std::vector<std::u16string>{u"-3"});
}

TEST_F(MediaValuesTest, MissingElementsGiveZeroAndNoLine) {
  Load("<基礎情報><メディア番号>1</メディア番号></基礎情報>");
  std::u16string message = u"untouched";
  EXPECT_EQ(GetMediaTotal(m_parser, Failing(u"none"), message), 0);
  EXPECT_EQ(GetGuidelineText(m_parser, message), u"");
  EXPECT_EQ(message, u"untouched");
  EXPECT_TRUE(m_validated.empty());
}

TEST_F(MediaValuesTest, GuidelineIsTheLastValueAsWritten) {
  Load(
      "<基礎情報><メディア番号>1</メディア番号>"
      "<適用要領基準>Varnelia平成24年7月</適用要領基準></基礎情報>");
  std::u16string message;
  EXPECT_EQ(GetGuidelineText(m_parser, message), u"Varnelia平成24年7月");
}

TEST_F(MediaValuesTest, AnUnloadedParserGivesZeroWithItsLine) {
  const CPhotoKQXmlParser empty;
  std::u16string message;
  EXPECT_EQ(GetMediaNumber(empty, Failing(u"none"), message), 0);
  EXPECT_EQ(message, u"  ERR-005023 [要修正] xmlファイルが読みこまれていません\n");
  message.clear();
  EXPECT_EQ(GetGuidelineText(empty, message), u"");
  EXPECT_EQ(message, u"  ERR-005023 [要修正] xmlファイルが読みこまれていません\n");
}

}  // namespace
}  // namespace kestrova
