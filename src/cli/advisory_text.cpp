#include "advisory_text.h"

#include "platform/text_encoding.h"

namespace kestrova {

std::string AdvisoryText(const Advisory& advisory) {
  std::string text = "advisory " + std::string(AdvisoryId(advisory.kind)) + ", medium " +
                     std::to_string(advisory.mediaNumber) + ":";
  if (!advisory.file.empty()) text += " " + Utf16ToUtf8(ShownText(advisory.file));
  if (!advisory.serialNumber.empty()) {
    text += " serial number " + Utf16ToUtf8(ShownText(advisory.serialNumber));
  }
  return text;
}

}  // namespace kestrova
