#include "relations/relation_finding.h"

#include "run/finding_writer.h"

namespace kestrova {

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
  return line;
}

int AppendRelationFinding(Finding finding, std::u16string& message, RunHost& host,
                          FindingCounters& counters) {
  const int code = finding.code;
  message = WriteFinding(std::move(finding), host, counters, FindingPlace::PhotoEntry);
  return code;
}

}  // namespace kestrova
