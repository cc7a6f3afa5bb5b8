// The photo entry walk end to end: what kestrova-check writes after the photo attribute file's
// stage line, for media built by the tests.
#include <gtest/gtest.h>

#include "support/fixture_medium.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using test::FixtureEntry;
using test::FixtureMedium;

constexpr char kPhotoStage[] = " ＊＊PHOTO.XMLの内容を調べています。\n";

FixtureEntry Entry(const std::string& serial) {
  FixtureEntry entry;
  entry.serial = serial;
  entry.fileName = "P000000" + serial + ".JPG";
  return entry;
}

class PhotoEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override { m_program = test::CopyProgramFolder(m_dir.path() / "プログラム"); }

  // The log from the photo attribute file's stage line to the end, and the exit code.
  std::pair<std::string, int> CheckTail(const FixtureMedium& medium) {
    const auto folder = m_dir.path() / ("媒体" + std::to_string(++m_media));
    test::WriteFixtureMedium(folder, m_program, medium);
    const auto result = test::RunChecker({"--program-dir", m_program.string(), folder.string()});
    const std::string log = test::MaskTimes(result.out);
    const size_t stage = log.find(kPhotoStage);
    return {stage == std::string::npos ? log : log.substr(stage + std::size(kPhotoStage) - 1),
            result.exitCode};
  }
  static std::string Summary(int photos, int mustFix, int mustConfirm) {
    return "\n写真枚数：" + std::to_string(photos) + "枚\nエラー\n   要修正：" +
           std::to_string(mustFix) + "件\n   要確認：" + std::to_string(mustConfirm) +
           "件\n\nKestrovaシステム -- <time> 完了\n";
  }

  test::ScratchDir m_dir;
  std::filesystem::path m_program;
  int m_media = 0;
};

TEST_F(PhotoEntriesTest, SerialNumberLineOncePerEntryWithFindings) {
  FixtureMedium medium;
  medium.entries = {Entry("1"), Entry("2"), Entry("3")};
  medium.entries[0].title = "①②";
  medium.entries[2].title = "③";
  const auto [tail, exitCode] = CheckTail(medium);
  constexpr char kDetail[] =
      "                        "
      "『写真タイトル』は、全角文字又は半角英数字記号で入力してください。\n";
  EXPECT_EQ(tail, std::string("  シリアル番号 1\n") +
                      "    ERR-005033 [要修正] 禁則文字 '①' を使用しています。\n" + kDetail +
                      "    ERR-005033 [要修正] 禁則文字 '②' を使用しています。\n" + kDetail +
                      "  シリアル番号 3\n" +
                      "    ERR-005033 [要修正] 禁則文字 '③' を使用しています。\n" + kDetail +
                      Summary(3, 3, 0));
  EXPECT_EQ(exitCode, 1);
}

TEST_F(PhotoEntriesTest, RelationAndCategoryFindings) {
  FixtureMedium medium;
  medium.entries = {Entry("1"), Entry("2")};
  medium.entries[0].workType = "道路土工";
  medium.entries[0].workDetail = "土砂掘削";
  medium.entries[1].major = "測量";
  const auto [tail, exitCode] = CheckTail(medium);
  EXPECT_EQ(tail,
            std::string("  シリアル番号 1\n") +
                "    ERR-005041 [要修正] 工種／種別／細別の関連が間違っています。\n"
                "                      『工種：道路土工』／『種別：<未定義>』／『細別：土砂掘削』\n"
                "  シリアル番号 2\n"
                "    ERR-005042 [要確認] 写真-大分類に、'工事'以外が記述されています。\n" +
                Summary(2, 1, 1));
}

TEST_F(PhotoEntriesTest, DivisionFindingsInBothForms) {
  // Listing 写真-大分類 again after 写真区分 closes the first pair by a major category element.
  const auto rules = m_program / "PHOT_KQ4" / "KQD_XML_PHT.ini";
  std::string table = test::ReadUtf16FileAsUtf8(rules);
  table.replace(table.find("\n21\n"), 4, "\n22\n");  // the number of rules taken
  test::WriteUtf16File(rules, table + "撮影工種区分/写真-大分類,KQD_全角半角,4,1,写真-大分類\n");
  FixtureMedium medium;
  medium.entries = {Entry("1")};
  medium.entries[0].category = "竣工写真";
  medium.writePhotoFiles = true;
  const auto [tail, exitCode] = CheckTail(medium);
  EXPECT_NE(tail.find("    ERR-005042 [要修正] 大分類／写真区分の関連が間違っています。\n"
                      "                      『大分類：工事』／『写真区分：竣工写真』\n"),
            std::string::npos)
      << tail;

  // The table as installed: the pair is the last of its entry.
  test::CopyProgramFolder(m_dir.path() / "元");
  std::filesystem::copy_file(m_dir.path() / "元" / "PHOT_KQ4" / "KQD_XML_PHT.ini", rules,
                             std::filesystem::copy_options::overwrite_existing);
  const auto [oneLine, code] = CheckTail(medium);
  EXPECT_NE(oneLine.find("    ERR-005042 [要修正] 大分類／写真区分の関連が間違っています。"
                         "【大分類：工事，写真区分：竣工写真】\n"),
            std::string::npos)
      << oneLine;
}

TEST_F(PhotoEntriesTest, DrawingFolderRules) {
  struct Case {
    const char* name;
    bool folder;
    std::string folderName;
    std::vector<std::string> drawings;
    std::string tail;
  };
  const std::vector<Case> cases = {
      {"named but missing",
       false,
       "PHOTO/DRA",
       {},
       "  ERR-005026 [要修正] 記述されている参考図フォルダは存在しません。\n" + Summary(0, 1, 0)},
      {"drawing without folder",
       false,
       "",
       {"D0000001.TIF"},
       "  シリアル番号 1\n"
       "    ERR-005026 [要修正] 付加情報が記述されていますが、参考図フォルダは存在しません。\n" +
           Summary(0, 1, 0)},
      {"folder not named",
       true,
       "",
       {},
       "  ERR-005026 [要修正] 参考図フォルダ名の記述がありません。\n" + Summary(0, 1, 0)},
  };
  for (const auto& c : cases) {
    FixtureMedium medium;
    medium.drawingFolder = c.folder;
    medium.drawingFolderName = c.folderName;
    medium.entries[0].drawings = c.drawings;
    const auto [tail, exitCode] = CheckTail(medium);
    EXPECT_EQ(tail, c.tail) << c.name;
    EXPECT_EQ(exitCode, 2) << c.name;  // the photo entries stop
  }
}

TEST_F(PhotoEntriesTest, FirstAndLastMediumCheckTheOtherMediaEntries) {
  FixtureMedium medium;
  medium.mediaTotal = "3";
  medium.entries = {Entry("1"), Entry("2"), Entry("3")};
  medium.entries[0].serial = "1a";  // on medium 1, fails the digits rule
  medium.entries[1].mediaNumber = "2";
  medium.entries[2].mediaNumber = "3";
  std::vector<std::string> args = {"--program-dir", m_program.string()};
  for (const char* number : {"1", "2", "3"}) {
    medium.mediaNumber = number;
    const auto folder = m_dir.path() / ("組" + std::string(number));
    test::WriteFixtureMedium(folder, m_program, medium);
    args.push_back(folder.string());
  }
  const auto result = test::RunChecker(args);
  EXPECT_EQ(result.exitCode, 1);
  const std::string& log = result.out;
  const size_t second = log.find("   メディア番号：2\n");
  const size_t third = log.find("   メディア番号：3\n");
  ASSERT_NE(third, std::string::npos) << log;
  const std::string finding =
      "  シリアル番号 1a\n    ERR-005033 [要修正] 禁則文字 'a' を使用しています。\n";
  // Medium 1 reports it with its own entry, medium 3 in the pass over the other media.
  EXPECT_NE(log.substr(0, second).find(finding), std::string::npos) << log;
  EXPECT_EQ(log.substr(second, third - second).find(finding), std::string::npos) << log;
  EXPECT_NE(log.substr(third).find(finding), std::string::npos) << log;
  EXPECT_NE(log.find("写真枚数：3枚"), std::string::npos);
}

// A media number belongs to the medium it reads as, whatever white space or leading zeros it
// is written with; one that names no medium of the set is reported on the first medium, once.
TEST_F(PhotoEntriesTest, MediaNumbersAreReadAsNumbers) {
  const std::string missing =
      "    ERR-005051 [要修正] P0000001.JPG：PHOTO.XMLに記述されている写真ファイル名または、"
      "参考図ファイル名が存在しません。\n";
  for (const std::string number : {"01", " 1", "\n1\n", "001"}) {
    FixtureMedium medium;
    medium.entries[0].mediaNumber = number;
    medium.writePhotoFiles = false;
    const auto [tail, exitCode] = CheckTail(medium);
    EXPECT_EQ(tail, "  シリアル番号 1\n" + missing + Summary(1, 1, 0)) << "[" << number << "]";
  }

  const std::string notOfTheSet =
      "    ERR-005035 [要修正] 『写真ファイル情報/メディア番号』は、'1','2'のいづれかを入力して"
      "ください。\n";
  // The must-fix count: the set's finding, and the media number's own findings on the first
  // and the last medium.
  struct Case {
    std::string number;
    int mustFix;
  } cases[] = {{"3", 1}, {"0", 1}, {"99999999999", 3}, {"", 3}, {"一", 3}};
  for (const Case& c : cases) {
    FixtureMedium medium;
    medium.mediaTotal = "2";
    medium.entries = {Entry("1"), Entry("2"), Entry("3")};
    medium.entries[1].mediaNumber = "2";
    medium.entries[2].mediaNumber = c.number;
    std::vector<std::string> args = {"--program-dir", m_program.string()};
    for (const char* number : {"1", "2"}) {
      medium.mediaNumber = number;
      const auto folder = m_dir.path() / ("組" + std::to_string(&c - cases) + "_" + number);
      test::WriteFixtureMedium(folder, m_program, medium);
      args.push_back(folder.string());
    }
    const auto result = test::RunChecker(args);
    const std::string& log = result.out;
    SCOPED_TRACE("[" + c.number + "]\n" + log);
    EXPECT_EQ(result.exitCode, 1);
    const size_t second = log.find("   メディア番号：2\n");
    ASSERT_NE(second, std::string::npos);
    const size_t serial = log.find("  シリアル番号 3\n");
    ASSERT_LT(serial, second);
    const size_t finding = log.find(notOfTheSet, serial);
    EXPECT_LT(finding, second);
    EXPECT_EQ(log.find(notOfTheSet, finding + 1), std::string::npos);
    EXPECT_NE(log.find("写真枚数：2枚\nエラー\n   要修正：" + std::to_string(c.mustFix) + "件"),
              std::string::npos);
  }
}

TEST_F(PhotoEntriesTest, MustFixLimitOfZeroEndsThePassAfterTheEntry) {
  test::WriteUtf16File(
      m_program / "PHOT_KQ4" / "KQD_DEFAULT.ini",
      "MEDHIA_NO_ELM=基礎情報/メディア番号\nMEDHIA_ALL_ELM=基礎情報/メディア総枚数\n"
      "RULE_ELM=基礎情報/適用要領基準\nERR_F=0\nERR_W=9\nERR_T=9\n");
  FixtureMedium medium;
  medium.entries = {Entry("1"), Entry("2")};
  medium.entries[0].title = "①";
  medium.entries[1].title = "②";
  const auto [tail, exitCode] = CheckTail(medium);
  EXPECT_EQ(exitCode, 2);
  EXPECT_EQ(
      tail,
      "  シリアル番号 1\n    ERR-005033 [要修正] 禁則文字 '①' を使用しています。\n"
      "                        『写真タイトル』は、全角文字又は半角英数字記号で入力してください。\n"
      "\n  ERR-009999 エラー数が制限を超えました。検査を中断します。" +
          Summary(1, 1, 0));
}

}  // namespace
}  // namespace kestrova
