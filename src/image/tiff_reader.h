// The resolution, resolution unit and compression of every image of a TIFF drawing file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// The longest IFD chain of a drawing: a file whose chain goes on after this many images is not
// of the accepted form.
inline constexpr std::size_t kMaxTiffImages = 1024;

// What the walk does after an image: go on with the next IFD, or end it because the caller's
// verdict is known.
enum class TiffWalk { Next, Stop };
using TiffImageVisitor = std::function<TiffWalk(const DpiInfo& record)>;

// Reads the IFD chain from the file's first byte on, one IFD at a time, and hands the record of
// each image to the visitor in chain order. False when the file is not a TIFF file of the
// accepted form: a byte order other than "II"/"MM" or a wrong magic number, a resolution tag that
// is not RATIONAL, a compression or resolution-unit tag that is not SHORT, a read that ends
// early, or a chain longer than kMaxTiffImages; the images before were handed over. A chain that
// leads back to an IFD already read ends there: every IFD is handed over once and the answer is
// true. True as well when the visitor ends the walk. Memory stays bounded whatever the file:
// only the offsets of the IFDs read (at most kMaxTiffImages) are kept.
bool ReadTiffResolutions(ImageFile& file, const TiffImageVisitor& visit);

// The same, appending every record to the list.
bool ReadTiffResolutions(ImageFile& file, std::vector<DpiInfo>& records);

}  // namespace kestrova
