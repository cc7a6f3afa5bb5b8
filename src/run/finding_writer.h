// The one way a finding reaches the result log: formatted from the register, appended through
// the host, counted, and handed to the host as a structured finding.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "run/finding.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// "ERR-%06d".
std::u16string ErrorCodeText(int code);

// The finding of a kind: its sentence filled in with one value for each "%s" in order, the
// detail lines under it (each with its indentation, without line feed), and its text.
Finding MakeFinding(FindingKind kind, std::initializer_list<std::u16string_view> values = {},
                    std::vector<std::u16string> details = {});

// The same for a kind whose indentation the writer of the line gives.
Finding MakeFindingAt(std::u16string_view indent, FindingKind kind,
                      std::initializer_list<std::u16string_view> values = {},
                      std::vector<std::u16string> details = {});

// Where a finding stands: about the medium, or about a photo entry, below the entry's serial
// number line ("  シリアル番号 %s\n", written in front of the entry's first finding).
enum class FindingPlace { Medium, PhotoEntry };

enum class Counting { Counted, NotCounted };

// Appends the finding, counts it on its register counter (unless NotCounted) and reports it to
// the host with the medium's number and, for a photo entry, the entry's serial number. Returns
// the text appended, the serial number line aside.
std::u16string WriteFinding(Finding finding, RunHost& host, FindingCounters& counters,
                            FindingPlace place = FindingPlace::Medium,
                            Counting counting = Counting::Counted);

// Checks that hand a failure back to their caller put the finding into the caller's message
// text; it waits beside the text until the caller writes the message. Returns the finding's
// code, the result such a check returns.
int PutFindingInMessage(Finding finding, std::u16string& message);

// Appends the message text and writes the finding that was put into it. Counted adds one to the
// must-fix count, as a counted stop does, also for a check that failed without a line.
void WriteMessage(const std::u16string& message, RunHost& host, FindingCounters& counters,
                  Counting counting);

}  // namespace kestrova
