// What the photo file checks take from a JPEG photo file: the EXIF information (version, pixel
// dimensions, GNSS presence) from the Exif APP1 segment and the size of the JPEG frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "image/image_file.h"

namespace kestrova {

struct ExifInfo {
  bool found = false;              // EXIF information was found and read
  std::u16string exifVersion;      // "V 2.1" and the like, from tag 0x9000; empty when missing
  std::u16string pixelXDimension;  // value text of tag 0xA002; empty when missing
  std::u16string pixelYDimension;  // value text of tag 0xA003; empty when missing
  std::uint16_t frameWidth = 0;    // samples per line of the first SOF0; 0 when there is none
  std::uint16_t frameHeight = 0;   // lines of the same SOF0
  bool hasGnss = false;            // the GPS IFD holds at least one GNSS value
  bool cancelled = false;          // the run was cancelled during the reading: nothing to report
};

struct JpegFrameSize {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
};

// Always a filled record; when found is false the texts are empty and hasGnss is false. The
// frame size is read independently of the EXIF part.
ExifInfo ReadExifInfo(const std::u16string& path);
ExifInfo ReadExifInfo(ImageFile& file);

// The position of the marker of the first APP1 segment that starts with "Exif", walking the
// segments from the SOI on; empty when the file cannot be opened, does not start with SOI or
// ends first. A run of zero bytes costs its reading, not a step every two bytes; a cancel of the
// run ends the walk (the file is then Cancelled()).
std::optional<std::uint64_t> FindExifSegment(const std::u16string& path);
std::optional<std::uint64_t> FindExifSegment(ImageFile& file);

// Width and height of the first SOF0 (baseline) frame; 0 x 0 when the walk over the markers
// meets a byte other than FF where a marker belongs, the file ends, or no SOF0 comes first.
JpegFrameSize ReadJpegFrameSize(const std::u16string& path);
JpegFrameSize ReadJpegFrameSize(ImageFile& file);

}  // namespace kestrova
