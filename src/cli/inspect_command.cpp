#include "inspect_command.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "image/exif_reader.h"
#include "image/image_file.h"
#include "image/tiff_reader.h"
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

// A JSON string. Units below 0x20 or above 0x7E become \u escapes of their value (the reader's
// texts hold one unit per file byte); with keepUnicode, text beyond ASCII stays as UTF-8.
std::string JsonString(std::u16string_view text, bool keepUnicode) {
  std::string json = "\"";
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c >= 0x20 && c <= 0x7E) {
      json += static_cast<char>(c);
    } else if (keepUnicode && c > 0x7F) {
      json += Utf16ToUtf8(std::u16string_view(&c, 1));
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      json += escape;
    }
  }
  return json + "\"";
}

// The shortest decimal that reads back as the same float; null for a quotient that is not a
// number (such as 0/0), which JSON cannot hold.
std::string JsonNumber(float value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

const char* JsonBool(bool value) { return value ? "true" : "false"; }

std::string JpegLine(const std::u16string& path) {
  const ExifInfo info = ReadExifInfo(path);
  return "\"kind\": \"jpeg\", \"found\": " + std::string(JsonBool(info.found)) +
         ", \"exifVersion\": " + JsonString(info.exifVersion, false) +
         ", \"pixelX\": " + JsonString(info.pixelXDimension, false) +
         ", \"pixelY\": " + JsonString(info.pixelYDimension, false) +
         ", \"frameWidth\": " + std::to_string(info.frameWidth) +
         ", \"frameHeight\": " + std::to_string(info.frameHeight) +
         ", \"hasGnss\": " + JsonBool(info.hasGnss);
}

std::string TiffLine(ImageFile& file) {
  std::vector<DpiInfo> records;
  const bool ok = file.IsOpen() && ReadTiffResolutions(file, records);
  std::string line =
      "\"kind\": \"tiff\", \"ok\": " + std::string(JsonBool(ok)) + ", \"records\": [";
  for (size_t i = 0; i < records.size(); ++i) {
    const DpiInfo& record = records[i];
    line += (i == 0 ? "" : ", ");
    line += "{\"xResolution\": " + JsonNumber(record.xResolution) +
            ", \"yResolution\": " + JsonNumber(record.yResolution) +
            ", \"compression\": " + std::to_string(record.compression) +
            ", \"resolutionUnit\": " + std::to_string(record.resolutionUnit) + "}";
  }
  return line + "]";
}

}  // namespace

int RunInspect(const std::vector<std::string>& files, std::FILE* out) {
  for (const std::string& name : files) {
    const std::u16string path = Utf8ToUtf16(name);
    ImageFile file(path);
    std::string line = "{\"file\": " + JsonString(path, true) + ", ";
    switch (KindOf(file, path)) {
      case FileKind::Jpeg:
        line += JpegLine(path);
        break;
      case FileKind::Tiff:
        line += TiffLine(file);
        break;
      case FileKind::Other:
        line += "\"kind\": \"other\"";
        break;
    }
    line += "}\n";
    std::fputs(line.c_str(), out);
  }
  std::fflush(out);
  return 0;
}

}  // namespace kestrova
