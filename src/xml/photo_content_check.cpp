#include "xml/photo_content_check.h"

#include "rules/select_table.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"
#include "xml/item_value_validation.h"
#include "xml/value_findings.h"

namespace kestrova {

std::uint8_t g_bDrawingFolderNamed = 0;

int CheckPhotoElement(const XMLElementItem& rule, const CXmlElementValue& element, RunHost& host,
                      FindingCounters& counters, bool nested) {
  const std::u16string& value = element.value;
  const std::u16string_view indent = nested ? kPhotoEntryIndent : kTopLevelIndent;
  const FindingPlace place = nested ? FindingPlace::PhotoEntry : FindingPlace::Medium;
  auto write = [&](Finding finding) {
    finding.elementPath = rule.name;
    WriteFinding(std::move(finding), host, counters, place);
  };

  if (rule.name == u"基礎情報/参考図フォルダ名") {
    g_bDrawingFolderNamed = 1;
    if (!g_bDrawingFolder) {
      write(MakeFindingAt(indent, FindingKind::DrawingFolderMissing));
      return 2;
    }
  }
  if (rule.name == u"付加情報/参考図ファイル名" && !g_bDrawingFolder) {
    write(MakeFindingAt(indent, FindingKind::DrawingFolderMissingForAddition));
    return 2;
  }

  int result = 0;
  if (rule.name == u"撮影工種区分/写真-大分類" && value != u"工事") {
    write(MakeFindingAt(indent, FindingKind::CategoryNotWork));
    result = 1;
  }
  for (Finding& finding : TestItemValue(rule, value, indent)) {
    write(std::move(finding));
    result = 1;
  }
  if (!rule.selectName.empty()) {
    if (const auto listText = g_selectTable.TestSelection(rule.selectName, value)) {
      write(NotInListFinding(indent, rule.name, *listText));
      result = 1;
    }
  }
  return result;
}

int CheckPhotoBasicInfo(CPhotoXmlParser parser, RunHost& host, FindingCounters& counters) {
  g_bDrawingFolderNamed = 0;
  int result = 0;
  for (int index = 0; index < kPhotoBasicInfoRuleCount; ++index) {
    const XMLElementItem rule = g_photoElementTable.GetRuleAt(index);
    std::vector<CXmlElementValue> elements;
    std::u16string message;
    if (parser.GetElementNameValues(rule.name, elements, message) != 0) {
      return 2;
    }
    for (const CXmlElementValue& element : elements) {
      const int elementResult = CheckPhotoElement(rule, element, host, counters, false);
      if (elementResult == 2) return 2;
      if (elementResult != 0) result = 1;
    }
  }
  if (g_bDrawingFolder && !g_bDrawingFolderNamed) {
    WriteFinding(MakeFinding(FindingKind::DrawingFolderNotNamed), host, counters);
    return 2;
  }
  return result;
}

}  // namespace kestrova
