#include "check/check_run.h"

#include "platform/file_access.h"
#include "platform/folder_index.h"
#include "platform/local_time.h"
#include "platform/text_encoding.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

constexpr int kNoMediumYet = -2;

std::u16string FormatPrompt(std::u16string_view before, int next, int total,
                            std::u16string_view after) {
  return std::u16string(before) + DecimalText(next) + u"/" + DecimalText(total) +
         std::u16string(after);
}

}  // namespace

void CheckRun::RunCheck() {
  m_nLastMediaNo = 0;
  m_nMediaTotal = 0;
  m_counters = FindingCounters{};

  m_host.EnableControl(ControlId::MediaSelect, false);
  m_host.EnableControl(ControlId::Start, false);
  m_host.EnableControl(ControlId::Exit, false);
  m_host.EnableControl(ControlId::Cancel, true);
  m_host.SetFocus(ControlId::Cancel);

  g_bCancel = 0;
  ForgetFolderIndexes();
  g_nMediaNumber = 0;

  m_host.AppendLog(u"Kestrovaシステム -- " + FormatLogTime(CurrentLocalTime()) + u" 開始\n" +
                   u" チェック対象 -- " + m_strTarget + u"\n" +
                   u" ＊媒体チェックを開始しました。\n");

  int finalResult = kResultStop;
  if (!FindRuleSet()) {
    WriteFinding(MakeFinding(FindingKind::RuleSetMissing), m_host, m_counters);
  } else {
    if (g_szRuleSet != kRuleSetCurrent && g_szRuleSet == kRuleSetOlder) {
      m_host.AppendLog(u"   適用要領：Varnelia　平成18年7月\n");
    }
    if (LoadRuleFiles() != 0) {
      WriteFinding(MakeFinding(FindingKind::RuleFileUnreadable), m_host, m_counters);
    } else {
      finalResult = RunMediaLoop();
    }
  }

  m_nFinalResult = finalResult;
  AppendSummary(finalResult);
  ShowCompletionMessage(finalResult);
  EnableControlsAfterRun();
}

int CheckRun::RunMediaLoop() {
  int overall = kNoMediumYet;
  for (;;) {
    int r = CheckMedium();
    m_host.ReportMediumChecked(
        {m_szMediaPath, g_nMediaNumber, g_nMediaNumber != 0 ? m_nMediaTotal : 0, r});
    if (r == kResultClean && overall == kResultFindings) {
      r = kResultFindings;
    }
    switch (r) {
      case kResultCancelled:
      case kResultStop:
        return r;
      case kResultClean:
      case kResultFindings:
        if (m_nLastMediaNo == m_nMediaTotal) {
          return r;
        }
        if (!PromptForMedium(false)) {
          return kResultCancelled;
        }
        break;
      case kResultWrongMedium:
        if (!PromptForMedium(true)) {
          return kResultCancelled;
        }
        if (overall == kResultFindings) {
          r = kResultFindings;
        }
        break;
      default:
        if (!PromptForMedium(false)) {
          return kResultCancelled;
        }
        break;
    }
    overall = r;
  }
}

// Asks for the next medium (or, after a wrong one, for the right one); false when cancelled.
bool CheckRun::PromptForMedium(bool wrongMedium) {
  const int next = m_nLastMediaNo + 1;
  const int total = m_nMediaTotal;
  if (g_nMediaMode == 0) {
    const std::u16string text =
        wrongMedium ? FormatPrompt(u"メディア番号が異なります。\n媒体を交換してください。\n\n",
                                   next, total, u"枚目")
                    : FormatPrompt(u"媒体を交換してください。\n\n", next, total, u"枚目");
    return m_host.ShowMessageBox(text, MessageIcon::Exclamation, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
  }
  if (g_nMediaMode == 1) {
    const std::u16string text =
        wrongMedium
            ? FormatPrompt(
                  u"メディア番号が異なります。\n次の媒体イメージが格納されているフォルダを選択して"
                  u"ください。（",
                  next, total, u"枚目）")
            : FormatPrompt(u"次の媒体イメージが格納されているフォルダを選択してください。（", next,
                           total, u"枚目）");
    return BrowseNextMediaFolder(text) == 0;
  }
  return true;
}

int CheckRun::BrowseNextMediaFolder(const std::u16string& prompt) {
  const auto folder = m_host.ChooseNextMediumFolder(prompt);
  if (!folder) {
    return -1;
  }
  m_szMediaPath = JoinPath(*folder, u"");
  return 0;
}

void CheckRun::AppendSummary(int finalResult) {
  m_host.AppendLog(u"\n写真枚数：" + DecimalText(m_counters.m_nPhotoCount) + u"枚\n" + u"エラー\n" +
                   u"   要修正：" + DecimalText(m_counters.m_nMustFix) + u"件\n" + u"   要確認：" +
                   DecimalText(m_counters.m_nMustConfirm) + u"件\n\n" + u"Kestrovaシステム -- " +
                   FormatLogTime(CurrentLocalTime()) +
                   (finalResult == kResultCancelled ? u" キャンセル" : u" 完了"));
}

void CheckRun::ShowCompletionMessage(int finalResult) {
  constexpr char16_t kFound[] = u"エラーが見つかりました。\r\nエラーの内容を確認してください。";
  switch (finalResult) {
    case kResultFindings:
      m_host.ShowMessageBox(kFound, MessageIcon::Exclamation, MessageButtons::Ok);
      break;
    case kResultStop:
      m_host.ShowMessageBox(kFound, MessageIcon::Stop, MessageButtons::Ok);
      break;
    case kResultCancelled:
      m_host.ShowMessageBox(u"キャンセルされました。\r\n検査を中断します。",
                            MessageIcon::Exclamation, MessageButtons::Ok);
      break;
    case kResultClean:
      if (m_nLastMediaNo == m_nMediaTotal) {
        m_host.ShowMessageBox(u"検査が正常に終了しました。\r\n検査結果を確認してください。",
                              MessageIcon::Information, MessageButtons::Ok);
      }
      break;
    default:
      break;
  }
}

void CheckRun::EnableControlsAfterRun() {
  m_host.SetFieldText(ControlId::TargetPath, u"");
  m_host.SetFieldText(ControlId::MediaNumber, u"");
  m_host.SetFieldText(ControlId::SerialNumber, u"");
  m_host.EnableControl(ControlId::MediaSelect, true);
  m_host.EnableControl(ControlId::ResultGroup, true);
  m_host.EnableControl(ControlId::Print, true);
  m_host.EnableControl(ControlId::FileOutput, true);
  m_host.EnableControl(ControlId::Exit, true);
  m_host.EnableControl(ControlId::Cancel, false);
  m_host.SetFocus(ControlId::Print);
}

}  // namespace kestrova
