// --advise: one line on standard error for each advisory.
#pragma once

#include <string>

#include "check/advisories.h"

namespace kestrova {

// "advisory unnamed-photo, medium 1: PHOTO/PIC/P0000013.JPG", with "serial number N" for an
// advisory about an entry.
std::string AdvisoryText(const Advisory& advisory);

}  // namespace kestrova
