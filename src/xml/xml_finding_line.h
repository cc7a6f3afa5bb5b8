// The one-line findings of the XML document access: "  ERR-%06d [要修正] <sentence>\n".
#pragma once

#include <string>
#include <string_view>

#include "run/message_lines.h"

namespace kestrova {

inline std::u16string XmlFindingLine(int code, std::u16string_view sentence) {
  return u"  " + ErrorCodeText(code) + u" [要修正] " + std::u16string(sentence) + u"\n";
}

}  // namespace kestrova
