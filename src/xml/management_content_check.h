// The content check of the management file: every value of every element rule, and the
// project's basic information on the first medium.
#pragma once

#include <string>

#include "run/check_result.h"
#include "run/finding_counters.h"
#include "run/run_host.h"
#include "xml/xml_parser.h"

namespace kestrova {

// Stop when the values of a rule could not be read (its line is left in message, not
// appended); StopRequested when polled between rules.
CheckResult CheckManagementContent(CPhotoKQXmlParser parser, std::u16string& message, RunHost& host,
                                   FindingCounters& counters);

}  // namespace kestrova
