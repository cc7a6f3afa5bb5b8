#include "code_list.h"

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

void PrintCodeList(std::FILE* out) { std::fputs(CodeListText().c_str(), out); }

}  // namespace kestrova
