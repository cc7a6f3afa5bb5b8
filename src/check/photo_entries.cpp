#include "check/photo_entries.h"

#include <optional>
#include <vector>

#include "image/photo_file_check.h"
#include "relations/relation_checks.h"
#include "rules/error_limits.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "rules/xml_element_table.h"
#include "run/run_globals.h"
#include "xml/photo_content_check.h"

namespace kestrova {
namespace {

// The per-photo rules: those after the document-wide ones.
std::vector<XMLElementItem> PhotoEntryRules() {
  std::vector<XMLElementItem> rules;
  for (int k = kPhotoBasicInfoRuleCount; k < g_photoElementTable.GetRuleCount(); ++k) {
    rules.push_back(g_photoElementTable.GetRuleAt(k));
  }
  return rules;
}

std::optional<XMLElementItem> FindEntryRule(const std::vector<XMLElementItem>& rules,
                                            std::u16string_view path) {
  for (const auto& rule : rules) {
    if (rule.name == path) return rule;
  }
  return std::nullopt;
}

// The pass ends with a stop after a failed selection, whose line is appended and counted.
int StopWithMessage(const std::u16string& message, RunHost& host, FindingCounters& counters) {
  host.AppendLog(message);
  ++counters.m_nMustFix;
  return 2;
}

}  // namespace

int CheckPhotoEntries(CPhotoXmlParser parser, const std::u16string& mediaPath, RunHost& host,
                      FindingCounters& counters, const std::u16string& mediaNumberText) {
  std::u16string message;
  g_szSerialNo.clear();
  int result = 0;

  const int basicInfo = CheckPhotoBasicInfo(parser, host, counters);
  if (basicInfo == 2) return 2;
  if (basicInfo != 0) result = 1;

  CXmlNodeList entries;
  if (parser.SelectNodes(entries, message,
                         u"写真情報[写真ファイル情報/メディア番号=\"" + mediaNumberText + u"\"]") !=
      0) {
    return StopWithMessage(message, host, counters);
  }

  const std::vector<XMLElementItem> rules = PhotoEntryRules();
  const std::u16string relationPath = GetRelationSelectPath();
  const std::u16string divisionPath = GetPhotoDivSelectPath();
  std::u16string photoFileName;
  std::vector<std::u16string> drawingNames;
  ElementPairs relationPairs;
  ElementPairs divisionPairs;
  std::vector<CXmlElementValue> elements;

  const int total = entries.GetLength();
  for (int i = 0; i < total; ++i) {
    const CXmlNode entry = entries.GetItem(i);
    std::u16string category = kUndefinedValue;
    g_bSerialPending = 1;

    for (const XMLElementItem& rule : rules) {
      if (parser.GetChildNameValues(entry, rule.name, elements, message) != 0) {
        return StopWithMessage(message, host, counters);
      }
      const bool relation = rule.name.find(relationPath) != std::u16string::npos;
      const bool division = rule.name.find(divisionPath) != std::u16string::npos;
      for (const CXmlElementValue& element : elements) {
        if (element.name == u"シリアル番号") {
          g_szSerialNo = element.value;
          host.SetFieldText(ControlId::SerialNumber, element.value);
        }
        const int elementResult = CheckPhotoElement(rule, element, host, counters, true);
        if (elementResult == 2) return 2;
        if (elementResult != 0) result = 1;
        if (relation) relationPairs.emplace_back(element.name, element.value);
        if (division) divisionPairs.emplace_back(element.name, element.value);
        if (element.name == u"写真区分" && !element.value.empty()) category = element.value;
        if (element.name == u"写真ファイル名") photoFileName = element.value;
        if (element.name == u"参考図ファイル名") drawingNames.push_back(element.value);
      }
    }

    if (CheckWorkRelation(message, relationPairs, host, counters) != 0) result = 1;
    if (CheckPhotoDivision(message, divisionPairs, host, counters) != 0) result = 1;
    relationPairs.clear();
    divisionPairs.clear();

    if (category != kUndefinedValue && CheckPhotoFiles(photoFileName, drawingNames, category,
                                                       mediaPath, message, host, counters) != 0) {
      result = 1;
    }
    drawingNames.clear();
    ++counters.m_nPhotoCount;
    host.ReportProgress(i + 1, total);
    if (StopRequested(counters)) return -1;
  }
  return result;
}

int CheckOtherMediaEntries(CPhotoXmlParser parser, const std::u16string& /*mediaPath*/,
                           RunHost& host, FindingCounters& counters,
                           const std::u16string& mediaNumberText) {
  std::u16string message;
  g_szSerialNo.clear();
  int result = 0;

  CXmlNodeList fileInfos;
  if (parser.SelectNodes(
          fileInfos, message,
          u"写真情報/写真ファイル情報[メディア番号!=\"" + mediaNumberText + u"\"]") != 0) {
    return 2;
  }
  const std::vector<XMLElementItem> rules = PhotoEntryRules();
  const auto serialRule = FindEntryRule(rules, u"写真ファイル情報/シリアル番号");
  const auto mediaNumberRule = FindEntryRule(rules, u"写真ファイル情報/メディア番号");
  std::vector<CXmlElementValue> elements;

  for (int i = 0; i < fileInfos.GetLength(); ++i) {
    const CXmlNode fileInfo = fileInfos.GetItem(i);
    g_bSerialPending = 1;
    if (parser.GetChildNameValues(fileInfo, u"シリアル番号", elements, message) != 0) return 2;
    for (const CXmlElementValue& element : elements) {
      if (!serialRule) break;
      g_szSerialNo = element.value;
      if (CheckPhotoElement(*serialRule, element, host, counters, true) != 0) result = 1;
    }
    if (parser.GetChildNameValues(fileInfo, u"メディア番号", elements, message) != 0) return 2;
    for (const CXmlElementValue& element : elements) {
      if (!mediaNumberRule) break;
      if (CheckPhotoElement(*mediaNumberRule, element, host, counters, true) != 0) result = 1;
    }
  }
  return result;
}

}  // namespace kestrova
