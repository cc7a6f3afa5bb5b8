// What the two relation checks share: the pairs they walk and the way a finding of theirs is
// written, appended and counted.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// "    ERR-%06d [要修正] " and the sentence.
std::u16string RelationFindingFirstLine(int code, std::u16string_view sentence);

// The detail line under the first line: 22 blanks, then "『label：value』" for each value,
// separated by "／", and a line feed.
std::u16string RelationDetailLine(std::initializer_list<LabelledValue> values);

// Puts the finished finding into the message text, appends it (with the entry's serial number
// line in front of its first finding) and counts it as must-fix.
void AppendRelationFinding(std::u16string text, std::u16string& message, RunHost& host,
                           FindingCounters& counters);

}  // namespace kestrova
