#include "check/check_run.h"

#include <gtest/gtest.h>

#include <deque>

#include "check/engine_session.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "run/run_globals.h"
#include "support/recording_host.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

// A medium as CheckMedium would leave it: its result and the media numbers it read.
struct ScriptedMedium {
  MediumResult result;
  int mediaNo;
  int mediaTotal;
  int mustFix = 0;
};

class ScriptedRun : public CheckRun {
 public:
  using CheckRun::CheckRun;
  MediumResult CheckMedium() override {
    checkedPaths.push_back(m_szMediaPath);
    const ScriptedMedium medium = script.front();
    script.pop_front();
    m_nMediaTotal = medium.mediaTotal;
    if (medium.result != MediumResult::WrongMedium) m_nLastMediaNo = medium.mediaNo;
    m_counters.m_nMustFix += medium.mustFix;
    return medium.result;
  }
  std::deque<ScriptedMedium> script;
  std::vector<std::u16string> checkedPaths;
};

class CheckRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopyProgramFolder(m_dir.path() / "プログラム");
    SetProgramFolder(FromFsPath(m_dir.path() / "プログラム"));
    test::WriteBytes(m_dir.path() / "媒体1" / "PHOT_KQ4.DTD", "<!-- -->");
    Aim(m_run, FolderTarget(FromFsPath(m_dir.path() / "媒体1")));
  }
  std::string Log() const { return test::MaskTimes(Utf16ToUtf8(m_host.log)); }
  std::vector<std::u16string> Boxes() const {
    std::vector<std::u16string> boxes;
    for (const auto& call : m_host.calls) {
      if (call.rfind(u"box ", 0) == 0 || call.rfind(u"browse ", 0) == 0) boxes.push_back(call);
    }
    return boxes;
  }

  test::ScratchDir m_dir;
  test::RecordingHost m_host;
  ScriptedRun m_run{m_host};
};

TEST_F(CheckRunTest, OneCleanMediumWritesHeaderAndSummary) {
  m_run.script = {{MediumResult::Clean, 1, 1}};
  m_run.RunCheck();
  EXPECT_EQ(Log(), "Kestrovaシステム -- <time> 開始\n チェック対象 -- " +
                       Utf16ToUtf8(m_run.m_strTarget) +
                       "\n ＊媒体チェックを開始しました。\n"
                       "\n写真枚数：0枚\nエラー\n   要修正：0件\n   要確認：0件\n\n"
                       "Kestrovaシステム -- <time> 完了");
  EXPECT_EQ(m_run.m_finalResult, MediumResult::Clean);
  EXPECT_EQ(Boxes(), std::vector<std::u16string>{
                         u"box 2 0 検査が正常に終了しました。\r\n検査結果を確認してください。"});
  const std::vector<std::u16string> expectedCalls = {
      u"disable 1000", u"disable 1001",
      u"disable 1002", u"enable 1027",
      u"focus 1027",   u"box 2 0 検査が正常に終了しました。\r\n検査結果を確認してください。",
      u"field 1033=",  u"field 1034=",
      u"field 1037=",  u"enable 1000",
      u"enable 1028",  u"enable 1029",
      u"enable 1030",  u"enable 1002",
      u"disable 1027", u"focus 1029"};
  EXPECT_EQ(m_host.calls, expectedCalls);
}

TEST_F(CheckRunTest, SetOfThreeInDriveModeWithTheWrongMediumInserted) {
  g_nMediaMode = 0;
  m_run.script = {{MediumResult::Findings, 1, 3, 1},
                  {MediumResult::WrongMedium, 3, 3},
                  {MediumResult::Clean, 2, 3},
                  {MediumResult::Clean, 3, 3}};
  m_run.RunCheck();
  EXPECT_EQ(Boxes(), (std::vector<std::u16string>{
                         u"box 0 1 媒体を交換してください。\n\n2/3枚目",
                         u"box 0 1 メディア番号が異なります。\n媒体を交換してください。\n\n2/3枚目",
                         u"box 0 1 媒体を交換してください。\n\n3/3枚目",
                         u"box 0 0 エラーが見つかりました。\r\nエラーの内容を確認してください。"}));
  // Findings on medium 1 only: the set keeps result 1.
  EXPECT_EQ(m_run.m_finalResult, MediumResult::Findings);
  EXPECT_NE(Log().find("要修正：1件"), std::string::npos);
}

TEST_F(CheckRunTest, FolderModePromptsReplaceTheMediumPath) {
  m_run.script = {{MediumResult::Clean, 1, 2}, {MediumResult::Clean, 2, 2}};
  m_host.folders = {u"/媒体/二枚目"};
  m_run.RunCheck();
  EXPECT_EQ(Boxes().front(),
            u"browse 次の媒体イメージが格納されているフォルダを選択してください。（2/2枚目）");
  EXPECT_EQ(m_run.checkedPaths.back(), u"/媒体/二枚目/");
  EXPECT_EQ(m_run.m_finalResult, MediumResult::Clean);
}

TEST_F(CheckRunTest, CancelInAPromptCancelsTheRun) {
  m_run.script = {{MediumResult::WrongMedium, 2, 2}};
  m_run.RunCheck();  // no folder left: the browser counts as cancelled
  EXPECT_EQ(Boxes(),
            (std::vector<std::u16string>{
                u"browse メディア番号が異なります。\n次の媒体イメージが格納されているフォルダを"
                u"選択してください。（1/2枚目）",
                u"box 0 0 キャンセルされました。\r\n検査を中断します。"}));
  EXPECT_EQ(m_run.m_finalResult, MediumResult::Cancelled);
  EXPECT_TRUE(Log().ends_with("<time> キャンセル"));
}

TEST_F(CheckRunTest, StopAndCancelEndTheLoop) {
  for (const MediumResult result : {MediumResult::Stop, MediumResult::Cancelled}) {
    m_host = test::RecordingHost{};
    m_run.script = {{MediumResult::Findings, 1, 3}, {result, 2, 3}};
    g_nMediaMode = 0;
    m_run.RunCheck();
    EXPECT_EQ(m_run.m_finalResult, result);
    EXPECT_TRUE(m_run.script.empty());
    EXPECT_TRUE(Log().ends_with(result == MediumResult::Stop ? " 完了" : " キャンセル"));
  }
}

TEST_F(CheckRunTest, MediumWithoutDtdFile) {
  std::filesystem::remove(m_dir.path() / "媒体1" / "PHOT_KQ4.DTD");
  m_run.RunCheck();
  EXPECT_NE(Log().find("\n ERR-005010 PHOT_KQ4.DTDを確認できませんでした。電子媒体を指定し直して"
                       "ください。\n\n写真枚数：0枚\nエラー\n   要修正：1件\n"),
            std::string::npos);
  EXPECT_EQ(m_run.m_finalResult, MediumResult::Stop);
  EXPECT_EQ(Boxes(), std::vector<std::u16string>{
                         u"box 1 0 エラーが見つかりました。\r\nエラーの内容を確認してください。"});
}

TEST_F(CheckRunTest, OlderFormatLineAndMissingRuleFile) {
  std::filesystem::rename(m_dir.path() / "媒体1" / "PHOT_KQ4.DTD",
                          m_dir.path() / "媒体1" / "PHOT_KQ1.DTD");
  std::filesystem::remove(m_dir.path() / "プログラム" / "PHOT_KQ1" / "KQD_DEFAULT.ini");
  m_run.RunCheck();
  EXPECT_NE(Log().find(" ＊媒体チェックを開始しました。\n   適用要領：Varnelia　平成18年7月\n"
                       " ERR-005001 [システムエラー] 設定ファイル読み込みエラー。\n"),
            std::string::npos);
  EXPECT_EQ(m_run.m_finalResult, MediumResult::Stop);
  EXPECT_EQ(m_run.m_counters.m_nMustFix, 1);
}

TEST_F(CheckRunTest, RuleSetComesFromTheFirstDtdInListingOrder) {
  std::filesystem::remove(m_dir.path() / "媒体1" / "PHOT_KQ4.DTD");
  test::WriteBytes(m_dir.path() / "媒体1" / "phot_kq1.dtd", "");
  test::WriteBytes(m_dir.path() / "媒体1" / "PHOT_KQ4.DTD", "");
  test::WriteBytes(m_dir.path() / "媒体1" / "Z.DTD", "");
  EXPECT_TRUE(m_run.FindRuleSet());
  // Found ignoring case, but the name stays as written: neither format.
  EXPECT_EQ(g_szRuleSet, u"phot_kq1");
  std::filesystem::remove(m_dir.path() / "媒体1" / "phot_kq1.dtd");
  std::filesystem::remove(m_dir.path() / "媒体1" / "PHOT_KQ4.DTD");
  EXPECT_FALSE(m_run.FindRuleSet());  // no rule folder Z
  EXPECT_EQ(g_szRuleSet, u"Z");
}

}  // namespace
}  // namespace kestrova
