#include "inspect_command.h"

#include <charconv>
#include <cmath>

#include "image/image_inspection.h"
#include "json_output.h"
#include "platform/text_encoding.h"

namespace kestrova {
namespace {

// The reader's texts hold one UTF-16 unit per file byte: each becomes the character of that
// value (U+0000 to U+00FF), so that a JSON reader gets the bytes back.
std::string ByteText(std::u16string_view text) { return Utf16ToUtf8(text); }

// The shortest decimal that reads back as the same float; null for a quotient that is not a
// number (such as 0/0), which JSON cannot hold.
Json Number(float value) {
  if (!std::isfinite(value)) return nullptr;
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  double shortest = 0;
  std::from_chars(text, end, shortest);
  return shortest;
}

void AddJpeg(Json& line, const ExifInfo& info) {
  line["kind"] = "jpeg";
  line["found"] = info.found;
  line["exifVersion"] = ByteText(info.exifVersion);
  line["pixelX"] = ByteText(info.pixelXDimension);
  line["pixelY"] = ByteText(info.pixelYDimension);
  line["frameWidth"] = info.frameWidth;
  line["frameHeight"] = info.frameHeight;
  line["hasGnss"] = info.hasGnss;
}

void AddTiff(Json& line, const ImageInspection& inspection) {
  line["kind"] = "tiff";
  line["ok"] = inspection.tiffReadable;
  Json list = Json::array();
  for (const DpiInfo& record : inspection.tiffRecords) {
    list.push_back({{"xResolution", Number(record.xResolution)},
                    {"yResolution", Number(record.yResolution)},
                    {"compression", record.compression},
                    {"resolutionUnit", record.resolutionUnit}});
  }
  line["records"] = std::move(list);
}

}  // namespace

int RunInspect(const std::vector<std::string>& files, std::FILE* out) {
  for (const std::string& name : files) {
    const std::u16string path = Utf8ToUtf16(name);
    const ImageInspection inspection = InspectImageFile(path);
    Json line = {{"file", name}};
    switch (inspection.kind) {
      case ImageKind::Jpeg:
        AddJpeg(line, inspection.exif);
        break;
      case ImageKind::Tiff:
        AddTiff(line, inspection);
        break;
      case ImageKind::Other:
        line["kind"] = "other";
        break;
    }
    std::fputs((DumpJsonLine(line) + "\n").c_str(), out);
  }
  std::fflush(out);
  return 0;
}

}  // namespace kestrova
