#include "xml/value_findings.h"

#include "platform/text_encoding.h"
#include "run/message_lines.h"

namespace kestrova {
namespace {

std::u16string FirstLine(std::u16string_view indent, int code, std::u16string_view sentence) {
  std::u16string line(indent);
  line += ErrorCodeText(code);
  line += u" [要修正] ";
  line += sentence;
  return line;
}

// The finding's first line, then the explanation 『name』は、<request> on a line of its own.
std::u16string TwoLines(std::u16string_view indent, int code, std::u16string_view sentence,
                        std::u16string_view name, std::u16string_view request) {
  std::u16string text = FirstLine(indent, code, sentence);
  text += u"\n";
  text += indent;
  text += u"                    『";
  text += name;
  text += u"』は、";
  text += request;
  text += u"\n";
  return text;
}

}  // namespace

std::u16string RequiredFindingText(std::u16string_view indent, std::u16string_view name) {
  return TwoLines(indent, kErrorRequired, u"必須項目が記述されていません。", name,
                  u"必須入力です。");
}

std::u16string TooLongFindingText(std::u16string_view indent, std::u16string_view name,
                                  int maxLength) {
  return TwoLines(indent, kErrorTooLong, u"文字数制限を超えています。", name,
                  DecimalText(maxLength) + u"文字以内で入力してください。");
}

std::u16string ForbiddenCharFindingText(std::u16string_view indent, std::u16string_view name,
                                        std::u16string_view character,
                                        std::u16string_view description) {
  return TwoLines(indent, kErrorForbiddenChar,
                  u"禁則文字 '" + std::u16string(character) + u"' を使用しています。", name,
                  std::u16string(description) + u"で入力してください。");
}

std::u16string NotInListFindingText(std::u16string_view indent, std::u16string_view name,
                                    std::u16string_view listText) {
  return FirstLine(indent, kErrorNotInList,
                   u"『" + std::u16string(name) + u"』は、" + std::u16string(listText) +
                       u"のいづれかを入力してください。") +
         u"\n";
}

}  // namespace kestrova
