// KQD_IMG.ini / KQD_IMG24.ini: where the photo and drawing files lie, which rows apply to which
// file names, and the pixel ranges and size limits of each row.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kestrova {

// One rule row; every field as it stands in the file.
struct CImgLimit {
  std::u16string folder;       // below the medium root, "/" between names; "PHOTO/PIC": photos
  std::u16string namePattern;  // a file name must contain it for the row to apply
  std::u16string format;       // "TIFF" selects the TIFF resolution and compression check
  std::array<std::u16string, 2> pixelRanges;  // xmin-xmax/ymin-ymax; the second only for photos
  std::u16string maxSizeKb;                   // units of 1024 bytes
};

struct ImgItem {
  std::u16string name;            // "PHOTO" or "REFERENCE"; other names are ignored by the checks
  std::vector<CImgLimit> limits;  // in file order
};

inline constexpr char16_t kPhotoRowFolder[] = u"PHOTO/PIC";

// The items in file order.
extern std::vector<ImgItem> g_imageRules;

// Empties the table, then fills it with the complete items of the file: -1 when the file cannot
// be opened, otherwise 0 whatever its lines held.
int LoadImageRules(const std::u16string& path);

}  // namespace kestrova
