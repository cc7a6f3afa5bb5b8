#include "xml/value_findings.h"

#include "platform/text_encoding.h"
#include "run/finding_writer.h"

namespace kestrova {
namespace {

Finding AboutElement(Finding finding, std::u16string_view name) {
  finding.elementPath = name;
  return finding;
}

// The finding's first line, then the explanation 『name』は、<request> on a line of its own.
Finding TwoLines(std::u16string_view indent, FindingKind kind,
                 std::initializer_list<std::u16string_view> values, std::u16string_view name,
                 std::u16string_view request) {
  std::u16string explanation(indent);
  explanation += u"                    『";
  explanation += name;
  explanation += u"』は、";
  explanation += request;
  return AboutElement(MakeFindingAt(indent, kind, values, {std::move(explanation)}), name);
}

}  // namespace

Finding RequiredFinding(std::u16string_view indent, std::u16string_view name) {
  return TwoLines(indent, FindingKind::RequiredValueMissing, {}, name, u"必須入力です。");
}

Finding TooLongFinding(std::u16string_view indent, std::u16string_view name, int maxLength) {
  return TwoLines(indent, FindingKind::ValueTooLong, {}, name,
                  DecimalText(maxLength) + u"文字以内で入力してください。");
}

Finding ForbiddenCharFinding(std::u16string_view indent, std::u16string_view name,
                             std::u16string_view character, std::u16string_view description) {
  return TwoLines(indent, FindingKind::ForbiddenCharacter, {character}, name,
                  std::u16string(description) + u"で入力してください。");
}

Finding NotInListFinding(std::u16string_view indent, std::u16string_view name,
                         std::u16string_view listText) {
  return AboutElement(MakeFindingAt(indent, FindingKind::ValueNotInList, {name, listText}), name);
}

}  // namespace kestrova
