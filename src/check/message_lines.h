// Writing findings into the result log, counting them, and the stop poll of the error limits.
#pragma once

#include <cstdint>
#include <string>

#include "check/finding_counters.h"
#include "check/run_host.h"

namespace kestrova {

// Serial number of the photo entry being checked, shown above its first finding.
extern std::u16string g_szSerialNo;
// 1 while the serial number line of the current photo entry has not been written.
extern std::uint8_t g_bSerialPending;

// "ERR-%06d".
std::u16string ErrorCodeText(int code);

// Appends a finding of a photo entry; when withSerial is set and the entry's serial number line
// is still pending, that line ("  シリアル番号 %s\n") goes first.
void AppendFindingLine(const std::u16string& text, RunHost& host, bool withSerial);

// A limit of the default settings as a number: leading blanks skipped, an optional sign, then
// digits up to the first other character; empty or non-numeric text is 0.
std::int64_t ConvertLimit(std::u16string_view text);

// True when must-fix > ERR_F, must-confirm > ERR_W or their sum > ERR_T.
bool ErrorLimitReached(const FindingCounters& counters);

// True when the run was cancelled, else ErrorLimitReached.
bool StopRequested(const FindingCounters& counters);

}  // namespace kestrova
