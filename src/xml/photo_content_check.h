// The content check of the photo attribute file: one element value against its rule, and the
// document-wide basic information with the reference drawing folder rules.
#pragma once

#include <cstdint>

#include "rules/xml_element_table.h"
#include "run/finding_counters.h"
#include "run/run_host.h"
#include "xml/xml_parser.h"

namespace kestrova {

// Set when the basic information names the reference drawing folder.
extern std::uint8_t g_bDrawingFolderNamed;

// Tests one value (nested: an element of a photo entry, whose findings stand deeper and carry
// the entry's serial number line). 0 no finding, 1 findings, 2 stop (a reference drawing rule of
// a medium without the drawing folder).
int CheckPhotoElement(const XMLElementItem& rule, const CXmlElementValue& element, RunHost& host,
                      FindingCounters& counters, bool nested);

// Tests the document-wide elements (the first rules of the photo attribute file's table):
// 0, 1 or 2 (stop).
int CheckPhotoBasicInfo(CPhotoXmlParser parser, RunHost& host, FindingCounters& counters);

}  // namespace kestrova
