// The shape of message lines: the error code text and the serial number line above the first
// finding of a photo entry.
#pragma once

#include <string>

#include "run/run_host.h"

namespace kestrova {

// "ERR-%06d".
std::u16string ErrorCodeText(int code);

// Appends a finding of a photo entry; when withSerial is set and the entry's serial number line
// is still pending, that line ("  シリアル番号 %s\n") goes first.
void AppendFindingLine(const std::u16string& text, RunHost& host, bool withSerial);

}  // namespace kestrova
