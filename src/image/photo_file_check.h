// The checks of the photo file and the reference drawing files that one photo entry names:
// existence, EXIF information and its version, pixel count, GNSS information, the tamper-check
// library's verdict, TIFF compression and resolution, and file size.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "rules/image_rules.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// The photo file of an entry as it lies on the medium, looked for before the entry's checks so
// that the file is found once: through the first "PHOTO" row whose name pattern the name holds,
// when that row is a photo row. row is that row (null when there is none), file the file found
// through it (empty when there is no such file).
struct LocatedPhoto {
  const CImgLimit* row = nullptr;
  std::optional<std::filesystem::path> file;
};

// The medium folder as the run names it and with every link followed (empty when that fails),
// resolved once for all the files that a walk looks for.
struct MediumFolder {
  explicit MediumFolder(const std::u16string& mediaPath);
  std::u16string path;
  std::filesystem::path written;  // path as a file system path
  std::optional<std::filesystem::path> real;
};

LocatedPhoto LocatePhotoFile(const std::u16string& photoFileName, const MediumFolder& medium);

// Finds the photo file and every drawing file of the entry on the medium through the rows of
// the image rules ("PHOTO" and "REFERENCE" items), reports each missing one (5051; so is a name
// that is absolute or holds "..", and a file that lies outside the medium folder once links are
// followed: neither is ever opened) and checks each existing one with CheckImageFile. 1 when
// anything was reported (or the pixel count check returned non-zero), else 0. A photo file
// located before under the row that applies is taken as found then.
int CheckPhotoFiles(const std::u16string& photoFileName,
                    const std::vector<std::u16string>& drawingNames, const std::u16string& category,
                    const std::u16string& mediaPath, std::u16string& message, RunHost& host,
                    FindingCounters& counters, const LocatedPhoto& located = {});

// Checks one existing file under the row that applies to it: a photo row (folder "PHOTO/PIC" in
// any letter case) gets the EXIF, pixel count, GNSS and alteration checks, a "TIFF" row the
// compression and resolution check, and every file the size rule of the rule set. An empty
// category (an entry without one) skips the rules that depend on it: pixel count, GNSS
// information and size. path is the file's path as the findings show it, file where it was
// found on the medium. 0 or 1.
int CheckImageFile(const std::u16string& path, const std::filesystem::path& file,
                   const CImgLimit& row, const std::u16string& category, std::u16string& message,
                   RunHost& host, FindingCounters& counters);

// Whether the photo checks ask the tamper-check library: rule set PHOT_KQ4, the 平成29
// guideline and the library loaded.
bool TamperCheckApplies();

// 5055 after reporting an EXIF version below "V 2.1" (an empty one included), else 0.
int CheckExifVersion(const std::u16string& path, const std::u16string& exifVersion,
                     std::u16string& message, RunHost& host, FindingCounters& counters);

}  // namespace kestrova
