#include "rules/default_settings.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

class DefaultSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { g_defaultSettings = DefaultSettings{}; }
  int Load(const std::string& content) {
    test::WriteUtf16File(m_dir.path() / "KQD_DEFAULT.ini", content);
    return LoadDefaultSettings(FromFsPath(m_dir.path() / "KQD_DEFAULT.ini"));
  }
  test::ScratchDir m_dir;
};

TEST_F(DefaultSettingsTest, ReadsTheKeysOfTheFile) {
  ASSERT_EQ(Load("[DEFAULT]\n"
                 "MEDHIA_NO_ELM=基礎情報/メディア番号\n"
                 "MEDHIA_ALL_ELM=基礎情報/メディア総枚数\n"
                 "RULE_ELM=基礎情報/適用要領基準\n"
                 "ERR_F= 10\n"
                 " ERR_W=5\n"
                 "err_t=7\n"
                 "ERR_T =8\n"
                 "RESULT_OUT_DIR=C:\\Temp  \n"
                 "ERR_W=11\n"),
            0);
  const DefaultSettings s = GetDefaultSettings();
  EXPECT_EQ(s.MEDHIA_NO_ELM, u"基礎情報/メディア番号");
  EXPECT_EQ(s.MEDHIA_ALL_ELM, u"基礎情報/メディア総枚数");
  EXPECT_EQ(s.RULE_ELM, u"基礎情報/適用要領基準");
  EXPECT_EQ(s.ERR_F, u" 10");                  // blanks after "=" belong to the value
  EXPECT_EQ(s.ERR_W, u"11");                   // the last occurrence wins; " ERR_W" is ignored
  EXPECT_EQ(s.ERR_T, u"");                     // lower case and "ERR_T =" are ignored
  EXPECT_EQ(s.RESULT_OUT_DIR, u"C:\\Temp  ");  // trailing blanks kept
}

TEST_F(DefaultSettingsTest, LongLinesAreReadInPiecesOf255Characters) {
  // The value is cut after 255 characters of the line; the rest is a piece of its own, here
  // starting with a key.
  const std::string value(255 - 14, 'v');
  ASSERT_EQ(Load("MEDHIA_NO_ELM=" + value + "ERR_F=3\nMEDHIA_ALL_ELM=\n"), 0);
  const DefaultSettings s = GetDefaultSettings();
  EXPECT_EQ(s.MEDHIA_NO_ELM, std::u16string(value.begin(), value.end()));
  EXPECT_EQ(s.ERR_F, u"3");
  EXPECT_EQ(s.MEDHIA_ALL_ELM, u"");
}

TEST_F(DefaultSettingsTest, KeysMissingFromTheFileKeepTheirValues) {
  ASSERT_EQ(Load("ERR_F=1\nERR_W=2\n"), 0);
  ASSERT_EQ(Load("ERR_W=5"), 0);
  EXPECT_EQ(GetDefaultSettings().ERR_F, u"1");
  EXPECT_EQ(GetDefaultSettings().ERR_W, u"5");
}

TEST_F(DefaultSettingsTest, MissingFileChangesNothing) {
  g_defaultSettings.ERR_F = std::u16string(1, u'4');
  EXPECT_EQ(LoadDefaultSettings(FromFsPath(m_dir.path() / "none.ini")), 1);
  EXPECT_EQ(GetDefaultSettings().ERR_F, u"4");
}

}  // namespace
}  // namespace kestrova
