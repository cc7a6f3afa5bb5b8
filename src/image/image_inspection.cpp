#include "image/image_inspection.h"

#include <cstdint>

#include "image/image_file.h"
#include "platform/file_access.h"

namespace kestrova {
namespace {

ImageKind KindByExtension(std::u16string_view path) {
  const std::u16string upper = UpperCaseName(path);
  if (upper.ends_with(u".JPG") || upper.ends_with(u".JPEG")) return ImageKind::Jpeg;
  if (upper.ends_with(u".TIF") || upper.ends_with(u".TIFF")) return ImageKind::Tiff;
  return ImageKind::Other;
}

ImageKind KindOf(ImageFile& file, std::u16string_view path) {
  std::uint8_t start[2];
  if (!file.ReadAt(0, 2, start)) return KindByExtension(path);
  if (start[0] == 0xFF && start[1] == 0xD8) return ImageKind::Jpeg;
  if ((start[0] == 'I' && start[1] == 'I') || (start[0] == 'M' && start[1] == 'M')) {
    return ImageKind::Tiff;
  }
  return ImageKind::Other;
}

}  // namespace

ImageInspection InspectImageFile(const std::u16string& path) {
  ImageFile file(path);
  ImageInspection inspection;
  inspection.kind = KindOf(file, path);
  switch (inspection.kind) {
    case ImageKind::Jpeg:
      inspection.exif = ReadExifInfo(path);
      break;
    case ImageKind::Tiff:
      inspection.tiffReadable = file.IsOpen() && ReadTiffResolutions(file, inspection.tiffRecords);
      break;
    case ImageKind::Other:
      break;
  }
  return inspection;
}

}  // namespace kestrova
