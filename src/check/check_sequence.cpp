#include <string_view>

#include "check/check_run.h"
#include "check/dtd_file_check.h"
#include "check/file_structure_check.h"
#include "check/photo_entries.h"
#include "check/rule_files.h"
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
namespace {

// The guideline with every blank and ideographic space removed.
std::u16string NormaliseGuideline(std::u16string_view text) {
  std::u16string normalised;
  for (const char16_t c : text) {
    if (c != u' ' && c != u'\u3000') normalised.push_back(c);
  }
  return normalised;
}

// A stage line naming a DTD file of the rule set: the current and the older format each have
// their own text; any other rule set writes none.
std::u16string_view ForRuleSet(std::u16string_view current, std::u16string_view older) {
  if (g_szRuleSet == kRuleSetCurrent) return current;
  if (g_szRuleSet == kRuleSetOlder) return older;
  return {};
}

}  // namespace

int CheckRun::CheckMedium() {
  if (m_szMediaPath.empty()) {
    m_host.ShowMessageBox(u"ドライブが指定されていません", MessageIcon::Exclamation,
                          MessageButtons::Ok);
    return kResultFindings;
  }

  g_nMediaNumber = 0;
  std::u16string message;
  int result = kResultClean;
  CPhotoKQXmlParser managementParser;
  CPhotoXmlParser photoParser;

  // Runs the stages in order; returns early at a stop or a poll that asks to stop.
  auto stages = [&]() {
    auto stop = [&](bool counted) {
      WriteMessage(message, m_host, m_counters, counted ? Counting::Counted : Counting::NotCounted);
      result = kResultStop;
    };
    auto poll = [&]() { return StopRequested(m_counters); };

    if (managementParser.Load(MediumFilePath(m_szMediaPath, g_managementElementTable.xmlFileName),
                              message, m_szMediaPath) != 0) {
      return stop(true);
    }
    if (photoParser.Load(MediumFilePath(m_szMediaPath, g_photoElementTable.xmlFileName), message,
                         m_szMediaPath) != 0) {
      return stop(true);
    }
    m_nMediaTotal = GetMediaTotal(managementParser, ValidateValue, message);
    if (m_nMediaTotal == 0) return stop(true);
    const int mediaNumber = GetMediaNumber(managementParser, ValidateValue, message);
    if (mediaNumber == 0) return stop(true);
    if (mediaNumber != m_nLastMediaNo + 1) {
      result = kResultWrongMedium;
      return;
    }
    const std::u16string mediaNumberText = DecimalText(mediaNumber);
    m_host.AppendLog(u"\n ＊＊メディア番号を調べています。\n   メディア総枚数：" +
                     DecimalText(m_nMediaTotal) + u"\n   メディア番号：" + mediaNumberText + u"\n");
    m_host.SetFieldText(ControlId::MediaNumber, mediaNumberText);
    m_nLastMediaNo = mediaNumber;
    g_nMediaNumber = mediaNumber;
    if (poll()) return;

    if (g_szRuleSet == kRuleSetCurrent) {
      m_host.AppendLog(u"\n ＊＊適用要領を調べています。\n");
      g_strGuideline = NormaliseGuideline(GetGuidelineText(managementParser, message));
      if (g_strGuideline == u"Varnelia平成29年7月") {
        if (!g_hCheckHash) {
          WriteFinding(MakeFinding(FindingKind::CheckHashModuleMissing), m_host, m_counters);
          result = kResultStop;
          return;
        }
        m_host.AppendLog(u"   適用要領：Varnelia  平成29年7月\n\n");
      } else if (g_strGuideline == u"Varnelia平成28年7月") {
        m_host.AppendLog(u"   適用要領：Varnelia  平成28年7月\n\n");
      } else if (g_strGuideline == u"Varnelia平成24年7月") {
        m_host.AppendLog(u"   適用要領：Varnelia  平成24年7月\n\n");
        if (LoadImageRules(RuleFilePath(u"KQD_IMG24.ini")) != 0 ||
            LoadRelationTable(RuleFilePath(u"KQD_RELATION24.ini")) != 0) {
          WriteFinding(MakeFinding(FindingKind::RuleFileUnreadable), m_host, m_counters,
                       FindingPlace::Medium, Counting::NotCounted);
          result = kResultStop;
          return;
        }
      } else {
        WriteFinding(MakeFinding(FindingKind::GuidelineWrong), m_host, m_counters);
        result = kResultStop;
        return;
      }
    }

    m_host.AppendLog(u" ＊＊ディレクトリ・ファイル構造を調べています。\n");
    if (CheckFileStructure(m_szMediaPath, message) != 0) return stop(true);
    if (poll()) return;

    m_host.AppendLog(u" ＊工事管理ファイルのチェックを開始しました。\n" +
                     std::u16string(ForRuleSet(u" ＊＊PHOT_KQ4.DTDの内容を調べています。\n",
                                               u" ＊＊PHOT_KQ1.DTDの内容を調べています。\n")));
    if (CheckDtdFile(kManagementDtd, m_szMediaPath, message) != 0) return stop(true);
    if (poll()) return;

    m_host.AppendLog(
        std::u16string(ForRuleSet(u" ＊＊PHOTO_KQ.XMLとPHOT_KQ4.DTDの関係を調べています。\n",
                                  u" ＊＊PHOTO_KQ.XMLとPHOT_KQ1.DTDの関係を調べています。\n")));
    if (managementParser.CheckDocumentType(g_managementElementTable.dtdFileName, message) != 0) {
      return stop(false);
    }
    if (poll()) return;

    m_host.AppendLog(u" ＊＊PHOTO_KQ.XMLの内容を調べています。\n");
    result = CheckManagementContent(managementParser, message, m_host, m_counters);
    if (poll()) return;

    m_host.AppendLog(u" ＊写真属性情報ファイルのチェックを開始しました。\n" +
                     std::u16string(ForRuleSet(u" ＊＊PHOTO04.DTDの内容を調べています。\n",
                                               u" ＊＊PHOTO01.DTDの内容を調べています。\n")));
    if (CheckDtdFile(kPhotoDtd, m_szMediaPath, message) != 0) return stop(true);
    if (poll()) return;

    m_host.AppendLog(
        std::u16string(ForRuleSet(u" ＊＊PHOTO.XMLとPHOTO4.DTDの関係を調べています。\n",
                                  u" ＊＊PHOTO.XMLとPHOTO1.DTDの関係を調べています。\n")));
    if (photoParser.CheckDocumentType(g_photoElementTable.dtdFileName, message) != 0) {
      return stop(true);
    }
    if (poll()) return;

    m_host.AppendLog(u" ＊＊PHOTO.XMLの内容を調べています。\n");
    if (mediaNumber == 1 || mediaNumber == m_nMediaTotal) {
      const int others = CheckOtherMediaEntries(photoParser, m_szMediaPath, m_host, m_counters,
                                                mediaNumber, m_nMediaTotal);
      if (others != 0) result = others;
    }
    const int entries =
        CheckPhotoEntries(photoParser, m_szMediaPath, m_host, m_counters, mediaNumber);
    if (entries != 0) result = entries;
  };
  stages();

  if (ErrorLimitReached(m_counters)) {
    result = kResultStop;
    WriteFinding(MakeFinding(FindingKind::ErrorLimitExceeded), m_host, m_counters);
  }
  return g_bCancel ? kResultCancelled : result;
}

}  // namespace kestrova
