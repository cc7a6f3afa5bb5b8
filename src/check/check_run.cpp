#include "check/check_run.h"

#include "check/rule_set_texts.h"
#include "platform/file_access.h"
#include "platform/folder_index.h"
#include "platform/local_time.h"
#include "platform/text_encoding.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

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

  MediumResult finalResult = MediumResult::Stop;
  if (!FindRuleSet()) {
    WriteFinding(MakeFinding(FindingKind::RuleSetMissing), m_host, m_counters);
  } else {
    if (const std::u16string_view line = RuleSetTextsOf(g_szRuleSet).guidelineLine; !line.empty()) {
      m_host.AppendLog(std::u16string(line));
    }
    if (LoadRuleFiles() != 0) {
      WriteFinding(MakeFinding(FindingKind::RuleFileUnreadable), m_host, m_counters);
    } else {
      finalResult = RunMediaLoop();
    }
  }

  m_finalResult = finalResult;
  AppendSummary(finalResult);
  ShowCompletionMessage(finalResult);
  EnableControlsAfterRun();
}

MediumResult CheckRun::RunMediaLoop() {
  bool findings = false;  // a medium of the set had findings
  for (;;) {
    const MediumResult result = CheckMedium();
    m_host.ReportMediumChecked(
        {m_szMediaPath, g_nMediaNumber, g_nMediaNumber != 0 ? m_nMediaTotal : 0, result});
    switch (result) {
      case MediumResult::Cancelled:
      case MediumResult::Stop:
        return result;
      case MediumResult::Clean:
      case MediumResult::Findings:
        findings = findings || result == MediumResult::Findings;
        if (m_nLastMediaNo == m_nMediaTotal) {
          return findings ? MediumResult::Findings : MediumResult::Clean;
        }
        if (!PromptForMedium(false)) {
          return MediumResult::Cancelled;
        }
        break;
      case MediumResult::WrongMedium:
        if (!PromptForMedium(true)) {
          return MediumResult::Cancelled;
        }
        break;
    }
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
    return BrowseNextMediaFolder(text);
  }
  return true;
}

bool CheckRun::BrowseNextMediaFolder(const std::u16string& prompt) {
  const auto folder = m_host.ChooseNextMediumFolder(prompt);
  if (!folder) {
    return false;
  }
  m_szMediaPath = JoinPath(*folder, u"");
  return true;
}

void CheckRun::AppendSummary(MediumResult finalResult) {
  m_host.AppendLog(u"\n写真枚数：" + DecimalText(m_counters.m_nPhotoCount) + u"枚\n" + u"エラー\n" +
                   u"   要修正：" + DecimalText(m_counters.m_nMustFix) + u"件\n" + u"   要確認：" +
                   DecimalText(m_counters.m_nMustConfirm) + u"件\n\n" + u"Kestrovaシステム -- " +
                   FormatLogTime(CurrentLocalTime()) +
                   (finalResult == MediumResult::Cancelled ? u" キャンセル" : u" 完了"));
}

void CheckRun::ShowCompletionMessage(MediumResult finalResult) {
  constexpr char16_t kFound[] = u"エラーが見つかりました。\r\nエラーの内容を確認してください。";
  switch (finalResult) {
    case MediumResult::Findings:
      m_host.ShowMessageBox(kFound, MessageIcon::Exclamation, MessageButtons::Ok);
      break;
    case MediumResult::Stop:
      m_host.ShowMessageBox(kFound, MessageIcon::Stop, MessageButtons::Ok);
      break;
    case MediumResult::Cancelled:
      m_host.ShowMessageBox(u"キャンセルされました。\r\n検査を中断します。",
                            MessageIcon::Exclamation, MessageButtons::Ok);
      break;
    case MediumResult::Clean:
      if (m_nLastMediaNo == m_nMediaTotal) {
        m_host.ShowMessageBox(u"検査が正常に終了しました。\r\n検査結果を確認してください。",
                              MessageIcon::Information, MessageButtons::Ok);
      }
      break;
    case MediumResult::WrongMedium:
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
