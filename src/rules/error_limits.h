// The error limits of the default settings and the stop poll that a run makes between stages.
#pragma once

#include <cstdint>
#include <string_view>

#include "run/finding_counters.h"

namespace kestrova {

// A limit of the default settings as a number: leading blanks skipped, an optional sign, then
// digits up to the first other character; empty or non-numeric text is 0.
std::int64_t ConvertLimit(std::u16string_view text);

// True when must-fix > ERR_F, must-confirm > ERR_W or their sum > ERR_T.
bool ErrorLimitReached(const FindingCounters& counters);

// True when the run was cancelled, else ErrorLimitReached.
bool StopRequested(const FindingCounters& counters);

}  // namespace kestrova
