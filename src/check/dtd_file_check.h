// Compares the DTD files of a medium with the reference copies of the rule folder.
#pragma once

#include <string>

namespace kestrova {

enum DtdFileKind : int { kManagementDtd = 1, kPhotoDtd = 2 };

// The photo DTD's file name for the current rule set: "PHOTO04.DTD" (PHOT_KQ4), "PHOTO03.DTD"
// (PHOT_KQ1), empty for any other rule set.
std::u16string PhotoDtdFileName();

// 0 when the medium's DTD file is identical byte for byte to the reference copy; otherwise 2,
// with the 5022 message when the two differ (no message when either cannot be opened).
int CheckDtdFile(int kind, const std::u16string& mediaPath, std::u16string& message);

}  // namespace kestrova
