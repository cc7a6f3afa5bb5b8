// Compares the DTD files of a medium with the reference copies of the rule folder.
#pragma once

#include <string>

namespace kestrova {

// The management file's DTD in the medium's root, named for the rule set, or the photo attribute
// file's in PHOTO, named by the rule set's texts (none for a rule set that is neither format).
enum class DtdFile { Management, Photo };

// 0 when the medium's DTD file is identical byte for byte to the reference copy; otherwise 2,
// with the 5022 message when the two differ (no message when either cannot be opened).
int CheckDtdFile(DtdFile dtd, const std::u16string& mediaPath, std::u16string& message);

}  // namespace kestrova
