// The walk over the photo entries of the photo attribute file across a set of media.
#pragma once

#include <string>

#include "run/finding_counters.h"
#include "run/run_host.h"
#include "xml/xml_parser.h"

namespace kestrova {

// Checks the document-wide values, then every photo entry of this medium in full: its values,
// its classification relations and its photo and drawing files. Polls for cancel and the error
// limits after every entry and reports the progress. 0, 1 findings, 2 stop, -1 stop requested.
int CheckPhotoEntries(CPhotoXmlParser parser, const std::u16string& mediaPath, RunHost& host,
                      FindingCounters& counters, const std::u16string& mediaNumberText);

// Checks the serial number and media number of every entry of the other media of the set
// (on the first and the last medium): 0, 1 or 2.
int CheckOtherMediaEntries(CPhotoXmlParser parser, const std::u16string& mediaPath, RunHost& host,
                           FindingCounters& counters, const std::u16string& mediaNumberText);

}  // namespace kestrova
