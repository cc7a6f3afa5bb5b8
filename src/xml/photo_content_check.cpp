#include "xml/photo_content_check.h"

#include "rules/select_table.h"
#include "run/message_lines.h"
#include "run/run_globals.h"
#include "xml/item_value_validation.h"
#include "xml/value_findings.h"

namespace kestrova {

std::uint8_t g_bDrawingFolderNamed = 0;

namespace {

constexpr int kDrawingFolderError = 5026;
constexpr int kCategoryError = 5042;

}  // namespace

int CheckPhotoElement(const XMLElementItem& rule, const CXmlElementValue& element, RunHost& host,
                      FindingCounters& counters, bool nested) {
  const std::u16string& value = element.value;
  const std::u16string indent(nested ? kPhotoEntryIndent : kTopLevelIndent);
  auto append = [&](const std::u16string& text) { AppendFindingLine(text, host, nested); };

  if (rule.name == u"基礎情報/参考図フォルダ名") {
    g_bDrawingFolderNamed = 1;
    if (!g_bDrawingFolder) {
      append(indent + ErrorCodeText(kDrawingFolderError) +
             u" [要修正] 記述されている参考図フォルダは存在しません。\n");
      ++counters.m_nMustFix;
      return 2;
    }
  }
  if (rule.name == u"付加情報/参考図ファイル名" && !g_bDrawingFolder) {
    append(indent + ErrorCodeText(kDrawingFolderError) +
           u" [要修正] 付加情報が記述されていますが、参考図フォルダは存在しません。\n");
    ++counters.m_nMustFix;
    return 2;
  }

  int result = 0;
  if (rule.name == u"撮影工種区分/写真-大分類" && value != u"工事") {
    append(indent + ErrorCodeText(kCategoryError) +
           u" [要確認] 写真-大分類に、'工事'以外が記述されています。\n");
    ++counters.m_nMustConfirm;
    result = 1;
  }
  for (const ValueFinding& finding : TestItemValue(rule, value, indent)) {
    append(finding.text);
    ++counters.m_nMustFix;
    result = 1;
  }
  if (!rule.selectName.empty()) {
    if (const auto listText = g_selectTable.TestSelection(rule.selectName, value)) {
      append(NotInListFindingText(indent, rule.name, *listText));
      ++counters.m_nMustFix;
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
    host.AppendLog(u"  " + ErrorCodeText(kDrawingFolderError) +
                   u" [要修正] 参考図フォルダ名の記述がありません。\n");
    ++counters.m_nMustFix;
    return 2;
  }
  return result;
}

}  // namespace kestrova
