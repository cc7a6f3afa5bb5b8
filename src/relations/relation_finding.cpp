#include "relations/relation_finding.h"

#include "run/message_lines.h"

namespace kestrova {

std::u16string RelationFindingFirstLine(int code, std::u16string_view sentence) {
  std::u16string line = u"    " + ErrorCodeText(code) + u" [要修正] ";
  line += sentence;
  return line;
}

std::u16string RelationDetailLine(std::initializer_list<LabelledValue> values) {
  std::u16string line(22, u' ');
  const char16_t* separator = u"";
  for (const LabelledValue& value : values) {
    line += separator;
    line += u"『";
    line += value.label;
    line += u"：";
    line += value.value;
    line += u"』";
    separator = u"／";
  }
  line += u"\n";
  return line;
}

void AppendRelationFinding(std::u16string text, std::u16string& message, RunHost& host,
                           FindingCounters& counters) {
  message = std::move(text);
  AppendFindingLine(message, host, true);
  ++counters.m_nMustFix;
}

}  // namespace kestrova
