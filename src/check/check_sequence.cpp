#include <string_view>

#include "check/check_run.h"
#include "check/dtd_file_check.h"
#include "check/file_structure_check.h"
#include "check/photo_entries.h"
#include "check/rule_files.h"
#include "check/rule_set_texts.h"
#include "image/check_hash_module.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "rules/error_limits.h"
#include "rules/image_rules.h"
#include "rules/relation_table.h"
#include "rules/xml_element_table.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"
#include "xml/item_value_validation.h"
#include "xml/management_content_check.h"
#include "xml/media_values.h"

namespace kestrova {

struct CheckRun::MediumState {
  CPhotoKQXmlParser managementParser;
  CPhotoXmlParser photoParser;
  std::u16string message;  // the failure text of the last check that left one
  int mediaNumber = 0;
  // Clean until a stage finds something: then the result of the latest check that did not pass.
  MediumResult result = MediumResult::Clean;

  void Take(CheckResult check) {
    if (check == CheckResult::Findings) {
      result = MediumResult::Findings;
    } else if (check != CheckResult::Passed) {
      result = MediumResult::Stop;
    }
  }
};

MediumResult CheckRun::CheckMedium() {
  if (m_szMediaPath.empty()) {
    m_host.ShowMessageBox(u"ドライブが指定されていません", MessageIcon::Exclamation,
                          MessageButtons::Ok);
    return MediumResult::Findings;
  }

  g_nMediaNumber = 0;
  constexpr Stage kStages[] = {
      &CheckRun::LoadMediumFiles,     &CheckRun::ReadMediaNumbers,    &CheckRun::CheckGuideline,
      &CheckRun::CheckStructure,      &CheckRun::CheckManagementFile, &CheckRun::CheckPhotoFile,
      &CheckRun::CheckPhotoEntryList,
  };
  MediumState medium;
  for (const Stage stage : kStages) {
    if ((this->*stage)(medium) == StageEnd::MediumEnds) break;
  }

  if (ErrorLimitReached(m_counters)) {
    medium.result = MediumResult::Stop;
    WriteFinding(MakeFinding(FindingKind::ErrorLimitExceeded), m_host, m_counters);
  }
  return g_bCancel ? MediumResult::Cancelled : medium.result;
}

CheckRun::StageEnd CheckRun::LoadMediumFiles(MediumState& medium) {
  if (medium.managementParser.Load(
          MediumFilePath(m_szMediaPath, g_managementElementTable.xmlFileName), medium.message,
          m_szMediaPath) != 0 ||
      medium.photoParser.Load(MediumFilePath(m_szMediaPath, g_photoElementTable.xmlFileName),
                              medium.message, m_szMediaPath) != 0) {
    return StopWithMessage(medium, Counting::Counted);
  }
  return StageEnd::Next;
}

CheckRun::StageEnd CheckRun::ReadMediaNumbers(MediumState& medium) {
  m_nMediaTotal = GetMediaTotal(medium.managementParser, ValidateValue, medium.message);
  if (m_nMediaTotal == 0) return StopWithMessage(medium, Counting::Counted);
  medium.mediaNumber = GetMediaNumber(medium.managementParser, ValidateValue, medium.message);
  if (medium.mediaNumber == 0) return StopWithMessage(medium, Counting::Counted);
  if (medium.mediaNumber != m_nLastMediaNo + 1) {
    medium.result = MediumResult::WrongMedium;
    return StageEnd::MediumEnds;
  }
  const std::u16string mediaNumberText = DecimalText(medium.mediaNumber);
  m_host.AppendLog(u"\n ＊＊メディア番号を調べています。\n   メディア総枚数：" +
                   DecimalText(m_nMediaTotal) + u"\n   メディア番号：" + mediaNumberText + u"\n");
  m_host.SetFieldText(ControlId::MediaNumber, mediaNumberText);
  m_nLastMediaNo = medium.mediaNumber;
  g_nMediaNumber = medium.mediaNumber;
  return Poll();
}

CheckRun::StageEnd CheckRun::CheckGuideline(MediumState& medium) {
  if (!RuleSetTextsOf(g_szRuleSet).readsGuideline) return StageEnd::Next;
  m_host.AppendLog(u"\n ＊＊適用要領を調べています。\n");
  SetGuideline(GetGuidelineText(medium.managementParser, medium.message));
  const GuidelineTexts* guideline = GuidelineTextsOf(g_guideline);
  if (!guideline) {
    return StopWithFinding(medium, FindingKind::GuidelineWrong, Counting::Counted);
  }
  if (guideline->needsTamperCheck && !g_hCheckHash) {
    return StopWithFinding(medium, FindingKind::CheckHashModuleMissing, Counting::Counted);
  }
  m_host.AppendLog(std::u16string(guideline->stageLine));
  if (!guideline->imageRulesFileName.empty() &&
      (LoadImageRules(RuleFilePath(guideline->imageRulesFileName)) != 0 ||
       LoadRelationTable(RuleFilePath(guideline->relationTableFileName)) != 0)) {
    return StopWithFinding(medium, FindingKind::RuleFileUnreadable, Counting::NotCounted);
  }
  return StageEnd::Next;
}

CheckRun::StageEnd CheckRun::CheckStructure(MediumState& medium) {
  m_host.AppendLog(u" ＊＊ディレクトリ・ファイル構造を調べています。\n");
  if (CheckFileStructure(m_szMediaPath, medium.message) != 0) {
    return StopWithMessage(medium, Counting::Counted);
  }
  return Poll();
}

CheckRun::StageEnd CheckRun::CheckManagementFile(MediumState& medium) {
  const RuleSetTexts& texts = RuleSetTextsOf(g_szRuleSet);
  m_host.AppendLog(u" ＊工事管理ファイルのチェックを開始しました。\n" +
                   std::u16string(texts.managementDtdLine));
  if (CheckDtdFile(DtdFile::Management, m_szMediaPath, medium.message) != 0) {
    return StopWithMessage(medium, Counting::Counted);
  }
  if (Poll() == StageEnd::MediumEnds) return StageEnd::MediumEnds;

  m_host.AppendLog(std::u16string(texts.managementDocumentTypeLine));
  if (medium.managementParser.CheckDocumentType(g_managementElementTable.dtdFileName,
                                                medium.message) != 0) {
    return StopWithMessage(medium, Counting::NotCounted);
  }
  if (Poll() == StageEnd::MediumEnds) return StageEnd::MediumEnds;

  m_host.AppendLog(u" ＊＊PHOTO_KQ.XMLの内容を調べています。\n");
  medium.Take(CheckManagementContent(medium.managementParser, medium.message, m_host, m_counters));
  return Poll();
}

CheckRun::StageEnd CheckRun::CheckPhotoFile(MediumState& medium) {
  const RuleSetTexts& texts = RuleSetTextsOf(g_szRuleSet);
  m_host.AppendLog(u" ＊写真属性情報ファイルのチェックを開始しました。\n" +
                   std::u16string(texts.photoDtdLine));
  if (CheckDtdFile(DtdFile::Photo, m_szMediaPath, medium.message) != 0) {
    return StopWithMessage(medium, Counting::Counted);
  }
  if (Poll() == StageEnd::MediumEnds) return StageEnd::MediumEnds;

  m_host.AppendLog(std::u16string(texts.photoDocumentTypeLine));
  if (medium.photoParser.CheckDocumentType(g_photoElementTable.dtdFileName, medium.message) != 0) {
    return StopWithMessage(medium, Counting::Counted);
  }
  return Poll();
}

CheckRun::StageEnd CheckRun::CheckPhotoEntryList(MediumState& medium) {
  m_host.AppendLog(u" ＊＊PHOTO.XMLの内容を調べています。\n");
  if (medium.mediaNumber == 1 || medium.mediaNumber == m_nMediaTotal) {
    medium.Take(CheckOtherMediaEntries(medium.photoParser, m_szMediaPath, m_host, m_counters,
                                       medium.mediaNumber, m_nMediaTotal));
  }
  medium.Take(
      CheckPhotoEntries(medium.photoParser, m_szMediaPath, m_host, m_counters, medium.mediaNumber));
  return StageEnd::MediumEnds;
}

CheckRun::StageEnd CheckRun::StopWithMessage(MediumState& medium, Counting counting) {
  WriteMessage(medium.message, m_host, m_counters, counting);
  medium.result = MediumResult::Stop;
  return StageEnd::MediumEnds;
}

CheckRun::StageEnd CheckRun::StopWithFinding(MediumState& medium, FindingKind kind,
                                             Counting counting) {
  WriteFinding(MakeFinding(kind), m_host, m_counters, FindingPlace::Medium, counting);
  medium.result = MediumResult::Stop;
  return StageEnd::MediumEnds;
}

CheckRun::StageEnd CheckRun::Poll() const {
  return StopRequested(m_counters) ? StageEnd::MediumEnds : StageEnd::Next;
}

}  // namespace kestrova
