#include "xml/management_content_check.h"

#include "rules/error_limits.h"
#include "rules/select_table.h"
#include "rules/xml_element_table.h"
#include "run/finding_writer.h"
#include "xml/item_value_validation.h"
#include "xml/value_findings.h"

namespace kestrova {
namespace {

constexpr char16_t kMediaNumberRule[] = u"基礎情報/メディア番号";

// Labels of the basic information lines, tested in this order against the rule's path.
constexpr std::u16string_view kBasicInfoLabels[] = {
    u"発注年度", u"工事番号", u"工事名称", u"工期開始日", u"工期終了日", u"請負者名", u"受注者名"};

std::u16string_view TrimWhiteSpace(std::u16string_view text) {
  auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

CheckResult CheckManagementContent(CPhotoKQXmlParser parser, std::u16string& message, RunHost& host,
                                   FindingCounters& counters) {
  CheckResult result = CheckResult::Passed;
  std::u16string mediaNumberText;
  auto appendFinding = [&](Finding finding) {
    message = WriteFinding(std::move(finding), host, counters);
    result = CheckResult::Findings;
  };

  for (int index = 0; index < g_managementElementTable.GetRuleCount(); ++index) {
    const XMLElementItem rule = g_managementElementTable.GetRuleAt(index);
    std::vector<std::u16string> values;
    if (parser.GetElementValues(rule.name, values, message) != 0) {
      return CheckResult::Stop;
    }
    for (const std::u16string& value : values) {
      bool found = false;
      for (Finding& finding : TestItemValue(rule, value, kTopLevelIndent)) {
        appendFinding(std::move(finding));
        found = true;
      }
      if (!rule.selectName.empty()) {
        if (const auto listText = g_selectTable.TestSelection(rule.selectName, value)) {
          appendFinding(NotInListFinding(kTopLevelIndent, rule.name, *listText));
          found = true;
        }
      }
      if (rule.name == kMediaNumberRule) {
        mediaNumberText = value;
      }
      if (TrimWhiteSpace(mediaNumberText) == u"1" && !found) {
        for (const std::u16string_view label : kBasicInfoLabels) {
          if (rule.name.find(label) != std::u16string::npos) {
            host.AppendLog(u"  " + std::u16string(label) + u"：" + value + u"\n");
            break;
          }
        }
      }
    }
    if (StopRequested(counters)) {
      return CheckResult::StopRequested;
    }
  }
  return result;
}

}  // namespace kestrova
