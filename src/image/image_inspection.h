// What the image reader answers for one file, as `kestrova-check --inspect` prints it and the
// desktop program can show it.
#pragma once

#include <string>
#include <vector>

#include "image/exif_reader.h"
#include "image/tiff_reader.h"

namespace kestrova {

enum class ImageKind { Jpeg, Tiff, Other };

struct ImageInspection {
  ImageKind kind = ImageKind::Other;
  ExifInfo exif;                     // for a JPEG file
  bool tiffReadable = false;         // for a TIFF file: its resolution records could be read
  std::vector<DpiInfo> tiffRecords;  // for a TIFF file, one per IFD
};

// A file starting FF D8 is a JPEG file, one starting "II" or "MM" a TIFF file; a file that
// cannot be read is classified by its extension (and then reports nothing found).
ImageInspection InspectImageFile(const std::u16string& path);

}  // namespace kestrova
