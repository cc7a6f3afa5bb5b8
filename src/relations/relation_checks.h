// The relation checks of one photo entry: whether the classification values written in the entry
// belong together by the relation rules and the photo division rules. Each finding is appended
// with the entry's serial number line in front of its first finding, counted as must-fix, and
// left in the message text.
#pragma once

#include <string>

#include "relations/relation_finding.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// Walks the pairs whose element rules the relation rules select. A head element with an entry in
// the rules opens a combination; a combination with at least one 工種 / 種別 / 細別 element after
// its head is tested when the next head element comes or the pairs end. Returns 5041 when a
// finding was written, else 0.
int CheckWorkRelation(std::u16string& message, const ElementPairs& pairs, RunHost& host,
                      FindingCounters& counters);

// Walks the pairs whose element rules the photo division rules select. A major category element
// with an entry in the rules opens a pair and the first division element after it completes it;
// a completed pair is tested when the next major category element comes (two-line finding) or
// the pairs end (one-line finding). Returns 5042 when a finding was written, else 0.
int CheckPhotoDivision(std::u16string& message, const ElementPairs& pairs, RunHost& host,
                       FindingCounters& counters);

}  // namespace kestrova
