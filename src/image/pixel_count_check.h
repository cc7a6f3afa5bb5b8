// Whether the pixel count that a photo's EXIF information records is acceptable under the two
// pixel ranges of its image rule row, by rule set, guideline and photo category.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/image_rules.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// The four numbers of a pixel range text "xmin-xmax/ymin-ymax". Characters other than digits
// before each number are skipped ("W1024-1280/H768-1024" reads as 1024-1280/768-1024); a number
// whose separator is missing runs to the end of the text, and the numbers after it are 0.
struct PixelRange {
  long xMin = 0;
  long xMax = 0;
  long yMin = 0;
  long yMax = 0;
};
PixelRange ReadPixelRange(std::u16string_view text);

// Tests the EXIF pixel dimensions against the row's first range, and against the second one when
// the first does not settle it; the frame size tells a photo whose own size is out of range from
// one whose EXIF size no longer matches the picture. 0 when accepted or not tested, 5053 when not
// accepted, with at most one finding line. A row without a first range is a fault of the rule
// table: a message box says so and the photo is not tested.
int CheckPixelCount(const std::u16string& path, const CImgLimit& row,
                    const std::u16string& category, const std::u16string& pixelXDimension,
                    const std::u16string& pixelYDimension, std::uint16_t frameWidth,
                    std::uint16_t frameHeight, std::u16string& message, RunHost& host,
                    FindingCounters& counters);

}  // namespace kestrova
