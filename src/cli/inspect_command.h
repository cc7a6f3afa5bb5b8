// --inspect: what the image reader answers for each file, one JSON object per line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kestrova {

// For a JPEG file (starting FF D8) the EXIF information and frame size, for a TIFF file ("II" or
// "MM") its resolution records, for anything else only its kind. A file that cannot be read is
// classified by its extension and reported as not found / not ok. Returns 0.
int RunInspect(const std::vector<std::string>& files, std::FILE* out);

}  // namespace kestrova
