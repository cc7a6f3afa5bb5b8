#include "run/message_lines.h"

#include <cstdio>

#include "platform/text_encoding.h"
#include "run/run_globals.h"

namespace kestrova {

std::u16string ErrorCodeText(int code) {
  char text[32];
  std::snprintf(text, sizeof text, "ERR-%06d", code);
  return Utf8ToUtf16(text);
}

void AppendFindingLine(const std::u16string& text, RunHost& host, bool withSerial) {
  if (withSerial && g_bSerialPending) {
    g_bSerialPending = 0;
    host.AppendLog(u"  シリアル番号 " + g_szSerialNo + u"\n");
  }
  host.AppendLog(text);
}

}  // namespace kestrova
