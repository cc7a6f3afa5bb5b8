// The TIFF reader of the drawing checks on an untrusted drawing.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/image_file.h"
#include "image/tiff_reader.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  ImageFile file(fuzz::WriteInputFile("D0000001.TIF", data, size));
  std::vector<DpiInfo> records;
  ReadTiffResolutions(file, records);
  return 0;
}
