#include "inspect_command.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "image/exif_reader.h"
#include "image/image_file.h"
#include "image/tiff_reader.h"
#include "json_output.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"

namespace kestrova {
namespace {

enum class FileKind { Jpeg, Tiff, Other };

FileKind KindByExtension(std::u16string_view path) {
  const std::u16string upper = UpperCaseName(path);
  if (upper.ends_with(u".JPG") || upper.ends_with(u".JPEG")) return FileKind::Jpeg;
  if (upper.ends_with(u".TIF") || upper.ends_with(u".TIFF")) return FileKind::Tiff;
  return FileKind::Other;
}

FileKind KindOf(ImageFile& file, std::u16string_view path) {
  std::uint8_t start[2];
  if (!file.ReadAt(0, 2, start)) return KindByExtension(path);
  if (start[0] == 0xFF && start[1] == 0xD8) return FileKind::Jpeg;
  if ((start[0] == 'I' && start[1] == 'I') || (start[0] == 'M' && start[1] == 'M')) {
    return FileKind::Tiff;
  }
  return FileKind::Other;
}

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

void AddJpeg(Json& line, const std::u16string& path) {
  const ExifInfo info = ReadExifInfo(path);
  line["kind"] = "jpeg";
  line["found"] = info.found;
  line["exifVersion"] = ByteText(info.exifVersion);
  line["pixelX"] = ByteText(info.pixelXDimension);
  line["pixelY"] = ByteText(info.pixelYDimension);
  line["frameWidth"] = info.frameWidth;
  line["frameHeight"] = info.frameHeight;
  line["hasGnss"] = info.hasGnss;
}

void AddTiff(Json& line, ImageFile& file) {
  std::vector<DpiInfo> records;
  const bool ok = file.IsOpen() && ReadTiffResolutions(file, records);
  line["kind"] = "tiff";
  line["ok"] = ok;
  Json list = Json::array();
  for (const DpiInfo& record : records) {
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
    ImageFile file(path);
    Json line = {{"file", name}};
    switch (KindOf(file, path)) {
      case FileKind::Jpeg:
        AddJpeg(line, path);
        break;
      case FileKind::Tiff:
        AddTiff(line, file);
        break;
      case FileKind::Other:
        line["kind"] = "other";
        break;
    }
    std::fputs((DumpJsonLine(line) + "\n").c_str(), out);
  }
  std::fflush(out);
  return 0;
}

}  // namespace kestrova
