// The walk over the photo entries of the photo attribute file across a set of media.
#pragma once

#include <string>

#include "run/check_result.h"
#include "run/finding_counters.h"
#include "run/run_host.h"
#include "xml/xml_parser.h"

namespace kestrova {

// An entry belongs to the medium its media number names: the element's text without the
// surrounding white space, read as a decimal number ("01" is medium 1).

// Checks the document-wide values, then every photo entry of this medium in full: its values,
// its classification relations and its photo and drawing files. Polls for cancel and the error
// limits after every entry and reports the progress.
CheckResult CheckPhotoEntries(CPhotoXmlParser parser, const std::u16string& mediaPath,
                              RunHost& host, FindingCounters& counters, int mediaNumber);

// Checks the serial number and media number of every entry of the other media of the set
// (on the first and the last medium). On the first medium, an entry whose media number names no
// medium from 1 to mediaTotal is reported as a must-fix finding (5035 listing the numbers).
// Never StopRequested: it does not poll.
CheckResult CheckOtherMediaEntries(CPhotoXmlParser parser, const std::u16string& mediaPath,
                                   RunHost& host, FindingCounters& counters, int mediaNumber,
                                   int mediaTotal);

}  // namespace kestrova
