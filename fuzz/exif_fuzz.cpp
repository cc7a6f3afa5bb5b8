// The JPEG readers of the photo file checks on an untrusted photo.
#include <cstddef>
#include <cstdint>

#include "image/exif_reader.h"
#include "image/image_file.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  const std::u16string path = fuzz::WriteInputFile("P0000001.JPG", data, size);
  ReadExifInfo(path);
  ImageFile file(path);
  FindExifSegment(file);
  ReadJpegFrameSize(file);
  return 0;
}
