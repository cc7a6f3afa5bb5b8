// What the two relation checks share: the pairs they walk and the way a finding of theirs is
// written, appended and counted.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "run/finding.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// (element name, value) pairs of one photo entry, in order of collection.
using ElementPairs = std::vector<std::pair<std::u16string, std::u16string>>;

// A classification shown in a finding: its label and its value.
struct LabelledValue {
  std::u16string_view label;
  const std::u16string& value;
};

// The detail line under the first line: 22 blanks, then "『label：value』" for each value,
// separated by "／".
std::u16string RelationDetailLine(std::initializer_list<LabelledValue> values);

// Writes the finding of a photo entry (with the entry's serial number line in front of its first
// finding), leaves its text in the message text and returns its code.
int AppendRelationFinding(Finding finding, std::u16string& message, RunHost& host,
                          FindingCounters& counters);

}  // namespace kestrova
