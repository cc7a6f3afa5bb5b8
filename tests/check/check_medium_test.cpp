// Whole logs of kestrova-check on media built by the tests, stage by stage.
#include <gtest/gtest.h>

#include "support/fixture_medium.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using test::FixtureEntry;
using test::FixtureMedium;

constexpr char kSummaryClean[] =
    "\n写真枚数：1枚\nエラー\n   要修正：0件\n   要確認：0件\n\nKestrovaシステム -- <time> 完了\n";

constexpr char kStagesAfterStructure[] =
    " ＊＊ディレクトリ・ファイル構造を調べています。\n"
    " ＊工事管理ファイルのチェックを開始しました。\n"
    " ＊＊PHOT_KQ4.DTDの内容を調べています。\n"
    " ＊＊PHOTO_KQ.XMLとPHOT_KQ4.DTDの関係を調べています。\n"
    " ＊＊PHOTO_KQ.XMLの内容を調べています。\n";

constexpr char kBasicInformation[] =
    "  発注年度：2024\n"
    "  工事番号：2024012345\n"
    "  工事名称：国道１２号線道路改良工事\n"
    "  工期開始日：2024-04-01\n"
    "  工期終了日：2025-03-31\n"
    "  受注者名：北海建設株式会社\n";

constexpr char kPhotoStages[] =
    " ＊写真属性情報ファイルのチェックを開始しました。\n"
    " ＊＊PHOTO04.DTDの内容を調べています。\n"
    " ＊＊PHOTO.XMLとPHOTO4.DTDの関係を調べています。\n"
    " ＊＊PHOTO.XMLの内容を調べています。\n";

std::string MediaLines(int number, int total) {
  return "\n ＊＊メディア番号を調べています。\n   メディア総枚数：" + std::to_string(total) +
         "\n   メディア番号：" + std::to_string(number) + "\n";
}

std::string GuidelineLines(const std::string& year) {
  return "\n ＊＊適用要領を調べています。\n   適用要領：Varnelia  平成" + year + "年7月\n\n";
}

class CheckMediumTest : public ::testing::Test {
 protected:
  void SetUp() override { m_program = test::CopyProgramFolder(m_dir.path() / "プログラム"); }

  std::filesystem::path Write(const FixtureMedium& medium, const std::string& name = "媒体1") {
    const auto folder = m_dir.path() / "納品" / name;
    test::WriteFixtureMedium(folder, m_program, medium);
    return folder;
  }
  test::CommandResult Check(const std::vector<std::filesystem::path>& media) {
    std::vector<std::string> args = {"--program-dir", m_program.string()};
    for (const auto& medium : media) args.push_back(medium.string());
    auto result = test::RunChecker(args);
    result.out = test::MaskTimes(result.out);
    return result;
  }
  static std::string Header(const std::filesystem::path& medium) {
    return "Kestrovaシステム -- <time> 開始\n チェック対象 -- " + medium.string() +
           "\n ＊媒体チェックを開始しました。\n";
  }

  test::ScratchDir m_dir;
  std::filesystem::path m_program;
};

TEST_F(CheckMediumTest, CleanMedium) {
  const auto medium = Write(FixtureMedium{});
  const auto result = Check({medium});
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(result.out, Header(medium) + MediaLines(1, 1) + GuidelineLines("28") +
                            kStagesAfterStructure + kBasicInformation + kPhotoStages +
                            kSummaryClean);
}

TEST_F(CheckMediumTest, StructureFindingsStopTheMedium) {
  struct Case {
    const char* name;
    void (*change)(const std::filesystem::path&);
    std::string line;  // relative path in the finding's second line
    std::string first;
  };
  const std::vector<Case> cases = {
      {"missing", [](const auto& m) { std::filesystem::remove_all(m / "PHOTO" / "PIC"); },
       "PHOTO/PIC", "  ERR-005012 [要修正] 必要なファイルが存在しません。\n"},
      {"extra", [](const auto& m) { test::WriteBytes(m / "PHOTO" / "PIC" / "メモ.TXT", "x"); },
       "PHOTO/PIC/メモ.TXT", "  ERR-005013 [要修正] ファイルの命名規則に反しています。\n"},
  };
  for (const auto& c : cases) {
    const auto medium = Write(FixtureMedium{}, c.name);
    c.change(medium);
    const auto result = Check({medium});
    EXPECT_EQ(result.exitCode, 2) << c.name;
    EXPECT_EQ(result.out, Header(medium) + MediaLines(1, 1) + GuidelineLines("28") +
                              " ＊＊ディレクトリ・ファイル構造を調べています。\n" + c.first +
                              "                     ［" + (medium / c.line).string() +
                              "］\n写真枚数：0枚\nエラー\n   要修正：1件\n   要確認：0件\n\n"
                              "Kestrovaシステム -- <time> 完了\n")
        << c.name;
  }
}

TEST_F(CheckMediumTest, MediumWithoutDrawingFolderOrStyleSheets) {
  FixtureMedium fixture;
  fixture.drawingFolder = false;
  fixture.drawingFolderName.clear();
  const auto medium = Write(fixture);
  const auto result = Check({medium});
  EXPECT_EQ(result.exitCode, 0) << result.out;
}

TEST_F(CheckMediumTest, DtdFileDifferingInOneByte) {
  const auto medium = Write(FixtureMedium{});
  std::string dtd = test::ReadBytes(medium / "PHOT_KQ4.DTD");
  dtd += "\n";  // one byte more than the reference copy
  test::WriteBytes(medium / "PHOT_KQ4.DTD", dtd);
  const auto result = Check({medium});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.out.find(" ＊＊PHOT_KQ4.DTDの内容を調べています。\n"
                            "  ERR-005022 [要修正] PHOT_KQ4.DTDが正しくありません。\n"
                            "                      PHOT_KQ4.DTDは、MORVA総研のホームページから"
                            "ダウンロードしたものを用いてください。\n\n写真枚数：0枚\n"),
            std::string::npos)
      << result.out;
}

TEST_F(CheckMediumTest, Guidelines) {
  struct Case {
    std::string guideline;
    int exitCode;
    std::string expected;  // a part of the log
  };
  const std::vector<Case> cases = {
      // Recognised, but not in the selection list as written.
      {"Varnelia　平成28年7月", 1, GuidelineLines("28") + kStagesAfterStructure},
      {"Varnelia平成24年7月", 0, GuidelineLines("24") + kStagesAfterStructure},
      {"Varnelia平成30年7月", 2,
       "\n ＊＊適用要領を調べています。\n  ERR-005011 [要修正] 適用要領が誤っています。\n"
       "\n写真枚数：0枚\nエラー\n   要修正：0件\n"},
      {"Varnelia平成29年7月", 2,
       "\n ＊＊適用要領を調べています。\n ERR-005001 [システムエラー] "
       "信憑性チェックモジュール読み込みエラー。\n\n写真枚数：0枚\nエラー\n   要修正：0件\n"},
  };
  for (const auto& c : cases) {
    FixtureMedium fixture;
    fixture.guideline = c.guideline;
    const auto medium = Write(fixture, "媒体_" + std::to_string(&c - cases.data()));
    const auto result = Check({medium});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.guideline << "\n" << result.out;
    EXPECT_NE(result.out.find(c.expected), std::string::npos) << c.guideline << "\n" << result.out;
  }
}

TEST_F(CheckMediumTest, OlderFormatMedium) {
  FixtureMedium fixture;
  fixture.ruleSet = "PHOT_KQ1";
  fixture.guideline = "Varnelia平成18年7月";
  const auto medium = Write(fixture);
  const auto result = Check({medium});
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(result.out,
            Header(medium) + "   適用要領：Varnelia　平成18年7月\n" + MediaLines(1, 1) +
                " ＊＊ディレクトリ・ファイル構造を調べています。\n"
                " ＊工事管理ファイルのチェックを開始しました。\n"
                " ＊＊PHOT_KQ1.DTDの内容を調べています。\n"
                " ＊＊PHOTO_KQ.XMLとPHOT_KQ1.DTDの関係を調べています。\n"
                " ＊＊PHOTO_KQ.XMLの内容を調べています。\n" +
                "  発注年度：2024\n  工事番号：2024012345\n  工事名称：国道１２号線道路改良工事\n"
                "  工期開始日：2024-04-01\n  工期終了日：2025-03-31\n  請負者名：北海建設株式会社\n"
                " ＊写真属性情報ファイルのチェックを開始しました。\n"
                " ＊＊PHOTO01.DTDの内容を調べています。\n"
                " ＊＊PHOTO.XMLとPHOTO1.DTDの関係を調べています。\n"
                " ＊＊PHOTO.XMLの内容を調べています。\n" +
                kSummaryClean);
}

TEST_F(CheckMediumTest, SetOfTwoWithTheSecondGivenFirst) {
  FixtureMedium first;
  first.mediaTotal = "2";
  FixtureEntry onSecond;
  onSecond.serial = "2";
  onSecond.fileName = "P0000002.JPG";
  onSecond.mediaNumber = "2";
  first.entries = {FixtureEntry{}, onSecond};
  FixtureMedium second = first;
  second.mediaNumber = "2";
  const auto one = Write(first, "一枚目");
  const auto two = Write(second, "二枚目");
  const auto result = Check({two, one, two});
  EXPECT_EQ(result.exitCode, 0) << result.out;
  // The wrong medium writes nothing; its prompt goes to standard error.
  EXPECT_EQ(result.out.find(" チェック対象 -- " + one.string()), std::string::npos);
  EXPECT_NE(result.out.find(MediaLines(1, 2)), std::string::npos);
  EXPECT_NE(result.out.find(MediaLines(2, 2)), std::string::npos);
  EXPECT_NE(result.out.find("写真枚数：2枚"), std::string::npos);
  EXPECT_EQ(
      result.err,
      "メディア番号が異なります。\n次の媒体イメージが格納されているフォルダを選択してください。"
      "（1/2枚目）\n"
      "次の媒体イメージが格納されているフォルダを選択してください。（2/2枚目）\n"
      "検査が正常に終了しました。\n検査結果を確認してください。\n");
}

TEST_F(CheckMediumTest, ManagementContentFindings) {
  FixtureMedium fixture;
  fixture.projectName = std::string(128, 'A');  // one character too many
  const auto medium = Write(fixture);
  const auto result = Check({medium});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find(" ＊＊PHOTO_KQ.XMLの内容を調べています。\n"
                            "  発注年度：2024\n"
                            "  工事番号：2024012345\n"
                            "  ERR-005032 [要修正] 文字数制限を超えています。\n"
                            "                      『工事件名等/工事名称』は、127文字以内で入力"
                            "してください。\n"
                            "  工期開始日：2024-04-01\n"),
            std::string::npos)
      << result.out;
}

TEST_F(CheckMediumTest, MustFixLimitOfZeroStopsAfterTheFirstFinding) {
  for (const char* folder : {"PHOT_KQ4"}) {
    test::WriteUtf16File(
        m_program / folder / "KQD_DEFAULT.ini",
        "MEDHIA_NO_ELM=基礎情報/メディア番号\nMEDHIA_ALL_ELM=基礎情報/メディア総枚数\n"
        "RULE_ELM=基礎情報/適用要領基準\nERR_F=0\nERR_W=9\nERR_T=9\n");
  }
  FixtureMedium fixture;
  fixture.projectName = std::string(128, 'A');
  const auto medium = Write(fixture);
  const auto result = Check({medium});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.out.find("127文字以内で入力してください。\n"
                            "\n  ERR-009999 エラー数が制限を超えました。検査を中断します。\n"
                            "写真枚数：0枚\nエラー\n   要修正：1件\n"),
            std::string::npos)
      << result.out;
}

}  // namespace
}  // namespace kestrova
