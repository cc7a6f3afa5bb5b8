// The resolution, resolution unit and compression of every image of a TIFF drawing file.
#pragma once

#include <cstdint>
#include <vector>

#include "image/image_file.h"

namespace kestrova {

// One image (IFD) of a TIFF file.
struct DpiInfo {
  float xResolution = 0;            // tag 282, numerator / denominator; 0 until an IFD has one
  float yResolution = 0;            // tag 283, the same
  std::int32_t compression = 1;     // tag 259; 1 (none), TIFF's default, until an IFD has one
  std::int32_t resolutionUnit = 2;  // tag 296; 2 (inch) when the IFD has none
};

// Reads the IFD chain from the file's first byte on and appends one record per IFD in chain
// order. False when the file is not a TIFF file of the accepted form: a byte order other than
// "II"/"MM" or a wrong magic number, a resolution tag that is not RATIONAL, a compression or
// resolution-unit tag that is not SHORT, or a read that ends early; the records appended before
// stay in the list. A chain that leads back to an IFD already read ends there: every IFD is
// listed once and the answer is true.
bool ReadTiffResolutions(ImageFile& file, std::vector<DpiInfo>& records);

}  // namespace kestrova
