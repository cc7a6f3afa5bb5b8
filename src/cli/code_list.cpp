#include "code_list.h"

#include "json_output.h"
#include "platform/text_encoding.h"
#include "run/finding_register.h"
#include "run/finding_writer.h"

namespace kestrova {

std::string CodeListText() {
  std::u16string text;
  for (const FindingRecord& record : kFindingRegister) {
    text += ErrorCodeText(record.code) + u'\t' + std::u16string(TagText(record.tag)) + u'\t' +
            std::u16string(record.sentence) + u'\n';
  }
  return Utf16ToUtf8(text);
}

std::string CodeListJson() {
  Json list = Json::array();
  for (const FindingRecord& record : kFindingRegister) {
    const std::u16string_view tag = TagText(record.tag);
    list.push_back(
        {{"code", record.code},
         {"id", Utf16ToUtf8(ErrorCodeText(record.code))},
         {"tag", tag.empty() ? Json(nullptr) : Json(Utf16ToUtf8(tag))},
         {"sentence", Utf16ToUtf8(record.sentence)},
         {"indent", record.indent == kIndentOfCaller ? Json(nullptr) : Json(record.indent)}});
  }
  return DumpJsonLine(list) + "\n";
}

void PrintCodeList(std::FILE* out, bool json) {
  std::fputs((json ? CodeListJson() : CodeListText()).c_str(), out);
}

}  // namespace kestrova
