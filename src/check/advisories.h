// Advisories: facts about a medium that a reviewer wants and the rules do not report (photos no
// entry names, a file named twice, a serial number used twice, no entries beside photos). They
// are kept out of the result log and change neither its counts nor the result.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

enum class AdvisoryKind {
  UnnamedPhoto,    // a file in the photo folder that no entry names
  UnnamedDrawing,  // a file in the drawing folder that no entry names
  FileNamedTwice,  // a photo file named by a second entry
  SerialRepeated,  // a serial number used by a second entry
  NoEntries,       // a photo attribute file without entries for this medium beside photos
};

struct Advisory {
  AdvisoryKind kind;
  int mediaNumber = 0;
  std::u16string file;          // the file's path relative to the medium, when about a file
  std::u16string serialNumber;  // the entry's serial number, when about an entry
};

// The identifier of the kind in reports, e.g. "unnamed-photo".
std::string_view AdvisoryId(AdvisoryKind kind);

// The advisories of the medium at mediaPath with the media number given, from its photo
// attribute file and its photo and drawing folders. Serial numbers are compared over every entry
// of the file, and reported with the first medium only, as the file of each medium lists the
// whole set. Nothing when the photo attribute file cannot be loaded (the log reports that).
std::vector<Advisory> CollectAdvisories(const std::u16string& mediaPath, int mediaNumber);

}  // namespace kestrova
