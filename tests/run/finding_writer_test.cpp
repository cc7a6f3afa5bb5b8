#include "run/finding_writer.h"

#include <gtest/gtest.h>

#include "run/run_globals.h"
#include "support/recording_host.h"

namespace kestrova {
namespace {

TEST(AppendFindingLine, SerialLineOncePerEntryAndOnlyWhenAsked) {
  test::RecordingHost host;
  FindingCounters counters;
  auto write = [&](FindingPlace place) {
    WriteFinding(MakeFinding(FindingKind::FileTooLarge), host, counters, place);
  };
  g_szSerialNo = u"1";
  g_bSerialPending = 1;
  write(FindingPlace::Medium);
  write(FindingPlace::PhotoEntry);
  write(FindingPlace::PhotoEntry);
  g_szSerialNo = u"2";
  g_bSerialPending = 1;
  write(FindingPlace::PhotoEntry);
  const std::u16string line = u"    ERR-005054 [要確認] ファイルサイズが大きすぎます。\n";
  EXPECT_EQ(host.log, line + u"  シリアル番号 1\n" + line + line + u"  シリアル番号 2\n" + line);
  ASSERT_EQ(host.findings.size(), 4u);
  EXPECT_FALSE(host.findings[0].serialNumber);
  EXPECT_EQ(host.findings[1].serialNumber, u"1");
  EXPECT_EQ(host.findings[3].serialNumber, u"2");
  EXPECT_EQ(counters.m_nMustConfirm, 4);
}

TEST(ErrorCodeText, SixDigits) {
  EXPECT_EQ(ErrorCodeText(5012), u"ERR-005012");
  EXPECT_EQ(ErrorCodeText(9999), u"ERR-009999");
}

TEST(FindingWriter, FormatsFromTheRegisterCountsAndReports) {
  struct Case {
    Finding finding;
    std::u16string text;
    FindingCounters counted;
  };
  const std::vector<Case> cases = {
      {MakeFinding(FindingKind::RuleSetMissing),
       u" ERR-005010 PHOT_KQ4.DTDを確認できませんでした。電子媒体を指定し直してください。\n",
       {1, 0, 0}},
      {MakeFinding(FindingKind::CheckHashModuleMissing),
       u" ERR-005001 [システムエラー] 信憑性チェックモジュール読み込みエラー。\n",
       {0, 0, 0}},
      {MakeFinding(FindingKind::DtdFileDiffers, {u"PHOTO04.DTD"}, {u"   detail"}),
       u"  ERR-005022 [要修正] PHOTO04.DTDが正しくありません。\n   detail\n",
       {1, 0, 0}},
      {MakeFindingAt(u"    ", FindingKind::CategoryNotWork),
       u"    ERR-005042 [要確認] 写真-大分類に、'工事'以外が記述されています。\n",
       {0, 1, 0}},
      {MakeFinding(FindingKind::PhotoDivisionWrongOnOneLine, {u"工事", u"%s"}),
       u"    ERR-005042 [要修正] "
       u"大分類／写真区分の関連が間違っています。【大分類：工事，写真区分：%"
       u"s】\n",
       {1, 0, 0}},
      {MakeFinding(FindingKind::RequiredFileMissing, {}, {u" ［PHOTO］"}),
       u"  ERR-005012 [要修正] 必要なファイルが存在しません。\n ［PHOTO］",
       {1, 0, 0}},
      {MakeFinding(FindingKind::ErrorLimitExceeded),
       u"\n  ERR-009999 エラー数が制限を超えました。検査を中断します。",
       {0, 0, 0}},
  };
  g_nMediaNumber = 3;
  for (const Case& c : cases) {
    test::RecordingHost host;
    FindingCounters counters;
    EXPECT_EQ(WriteFinding(c.finding, host, counters), c.text);
    EXPECT_EQ(host.log, c.text);
    EXPECT_EQ(counters.m_nMustFix, c.counted.m_nMustFix) << c.finding.code;
    EXPECT_EQ(counters.m_nMustConfirm, c.counted.m_nMustConfirm) << c.finding.code;
    ASSERT_EQ(host.findings.size(), 1u);
    const Finding& event = host.findings.front();
    EXPECT_EQ(event.code, RecordOf(c.finding.kind).code);
    EXPECT_EQ(event.tag, TagText(RecordOf(c.finding.kind).tag));
    EXPECT_EQ(event.text, c.text);
    EXPECT_EQ(event.mediaNumber, 3);
  }
  g_nMediaNumber = 0;
}

TEST(FindingWriter, MessageTextCarriesItsFindingToTheCaller) {
  test::RecordingHost host;
  FindingCounters counters;
  std::u16string message;
  EXPECT_EQ(PutFindingInMessage(MakeFinding(FindingKind::XmlFileMissing), message), 5023);
  EXPECT_EQ(message, u"  ERR-005023 [要修正] XMLファイルが存在していません。\n");
  EXPECT_TRUE(host.log.empty());
  WriteMessage(message, host, counters, Counting::NotCounted);
  EXPECT_EQ(host.log, message);
  EXPECT_EQ(counters.m_nMustFix, 0);
  ASSERT_EQ(host.findings.size(), 1u);
  EXPECT_EQ(host.findings[0].code, 5023);

  // A stop without a line still counts where the stop is counted, and reports nothing.
  WriteMessage(u"", host, counters, Counting::Counted);
  EXPECT_EQ(counters.m_nMustFix, 1);
  EXPECT_EQ(host.findings.size(), 1u);
}

}  // namespace
}  // namespace kestrova
