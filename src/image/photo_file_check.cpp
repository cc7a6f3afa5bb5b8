#include "image/photo_file_check.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

#include "image/check_hash_look_ahead.h"
#include "image/check_hash_module.h"
#include "image/exif_reader.h"
#include "image/image_file.h"
#include "image/image_finding.h"
#include "image/photo_check_terms.h"
#include "image/pixel_count_check.h"
#include "image/tiff_reader.h"
#include "platform/file_access.h"
#include "rules/table_numbers.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

// The alteration finding's path line stands further in than the others.
constexpr std::size_t kAlteredPathIndent = 33;

// The first row of the item whose name pattern occurs in the file name (letter case counts).
const CImgLimit* RowForName(const ImgItem& item, const std::u16string& fileName) {
  const auto row = std::find_if(item.limits.begin(), item.limits.end(), [&](const CImgLimit& r) {
    return fileName.find(r.namePattern) != std::u16string::npos;
  });
  return row == item.limits.end() ? nullptr : &*row;
}

// Medium root, the row's folder and the file name; a backslash separates folders as "/" does,
// as on the media's own file systems.
std::u16string FilePath(const std::u16string& mediaPath, const CImgLimit& row,
                        const std::u16string& fileName) {
  return MediumFilePath(MediumFilePath(mediaPath, row.folder), fileName);
}

// A name as written that is absolute or climbs out of its folder never names a file of the medium.
bool StaysInItsFolder(std::u16string_view name) {
  if (name.empty() || name.front() == u'/' || name.front() == u'\\') return false;
  if (name.size() >= 2 && name[1] == u':') return false;  // a drive letter
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find_first_of(u"/\\", start), name.size());
    if (name.substr(start, end - start) == u"..") return false;
    start = end + 1;
  }
  return true;
}

// The file as it lies on the medium: its name matched ignoring letter case, every link followed.
// Empty when there is none, or when it lies outside the medium folder.
std::optional<std::filesystem::path> LocateFile(const MediumFolder& medium,
                                                const std::u16string& path) {
  const auto found = ResolvePathIgnoringCase(ToFsPath(path));
  if (!found || !medium.real) return std::nullopt;
  auto real = RealPathBelow(*found, medium.written, *medium.real);
  if (!real || !LiesInsideFolder(*real, *medium.real)) return std::nullopt;
  return real;
}

// Reports a missing file, or checks the existing one; a file located before under this row is
// not looked for again.
int CheckNamedFile(const std::u16string& fileName, const CImgLimit& row,
                   const std::u16string& category, const std::u16string& mediaPath,
                   std::u16string& message, RunHost& host, FindingCounters& counters,
                   const LocatedPhoto& located) {
  const std::u16string path = FilePath(mediaPath, row, fileName);
  const auto file = located.row == &row          ? located.file
                    : StaysInItsFolder(fileName) ? LocateFile(MediumFolder(mediaPath), path)
                                                 : std::nullopt;
  if (!file) {
    AppendFileFinding(MakeFinding(FindingKind::PhotoFileMissing, {fileName}), path, message, host,
                      counters);
    return 1;
  }
  return CheckImageFile(path, *file, row, category, message, host, counters);
}

bool IsPhotoRow(const CImgLimit& row) { return UpperCaseName(row.folder) == kPhotoRowFolder; }

// EXIF information, its version, the pixel count, GNSS information and the tamper-check
// library's verdict of a photo file. 1 when something was reported, and whether the checks of
// the file end here (no EXIF information or too old a version).
struct ContentResult {
  int flag = 0;
  bool endsFileChecks = false;
};

ContentResult CheckPhotoContent(const std::u16string& path, const std::filesystem::path& file,
                                const CImgLimit& row, const std::u16string& category,
                                std::u16string& message, RunHost& host, FindingCounters& counters) {
  ImageFile image(file);
  const ExifInfo info = ReadExifInfo(image);
  if (info.cancelled) return {0, true};
  if (!info.found) {
    AppendFileFinding(PathFinding(FindingKind::ExifMissing, path), path, message, host, counters);
    return {1, true};
  }
  if (CheckExifVersion(path, info.exifVersion, message, host, counters) != 0) return {1, true};

  ContentResult verdict;
  // The pixel count and GNSS rules are the category's; a photo without one gets neither.
  if (!category.empty() &&
      CheckPixelCount(path, row, category, info.pixelXDimension, info.pixelYDimension,
                      info.frameWidth, info.frameHeight, message, host, counters) != 0) {
    verdict.flag = 1;
  }
  if (g_szRuleSet != kRuleSetCurrent) return verdict;
  if (IsOneOf(category, {kCategoryCompletion, kCategoryDisaster}) && !info.hasGnss) {
    AppendFileFinding(PathFinding(FindingKind::GnssMissing, path, {category}), path, message, host,
                      counters);
    verdict.flag = 1;
    return verdict;
  }
  if (TamperCheckApplies()) {
    // The library opens the file itself: it gets the name as it lies on the medium, so that a
    // name written in another letter case than the file's is not taken for a missing file.
    const std::optional<std::int32_t> hashVerdict = CheckHashVerdict(file);
    if (hashVerdict && CountsAsAltered(*hashVerdict)) {
      AppendFileFinding(PathFinding(FindingKind::PhotoAltered, path, {}, kAlteredPathIndent), path,
                        message, host, counters);
      verdict.flag = 1;
    }
  }
  return verdict;
}

// What is wrong with one image of a TIFF drawing.
enum class DrawingFault { None, Compression, Resolution };

DrawingFault FaultOf(const DpiInfo& record) {
  constexpr std::int32_t kGroup4 = 4;
  constexpr std::int32_t kNoUnit = 1;
  constexpr std::int32_t kCentimetre = 3;
  constexpr double kInchesPerCentimetre = 0.3937;
  if (record.compression != kGroup4 || record.resolutionUnit == kNoUnit) {
    return DrawingFault::Compression;
  }
  float x = record.xResolution;
  float y = record.yResolution;
  if (record.resolutionUnit == kCentimetre) {
    x = static_cast<float>(x / kInchesPerCentimetre);
    y = static_cast<float>(y / kInchesPerCentimetre);
  }
  // A resolution of 0/0 is not a number and is neither below nor above the range.
  if (x < 150 || x > 200 || y < 150 || y > 200) return DrawingFault::Resolution;
  return DrawingFault::None;
}

// Compression and resolution of a TIFF drawing; only the first offending image is reported.
// Whether the checks of the file end here (the file cannot be opened).
ContentResult CheckTiffContent(const std::u16string& path, const std::filesystem::path& drawing,
                               std::u16string& message, RunHost& host, FindingCounters& counters) {
  ImageFile file(drawing);
  if (!file.IsOpen()) {
    AppendFileFinding(PathFinding(FindingKind::DrawingUnreadable, path), path, message, host,
                      counters);
    return {1, true};
  }
  // The first offending image decides the finding, unless the chain turns out malformed further
  // on, which gives the compression finding. So the walk ends at an image with the wrong
  // compression or unit (the finding is that one either way) and goes on after one with a
  // resolution out of range.
  DrawingFault fault = DrawingFault::None;
  const bool wellFormed = ReadTiffResolutions(file, [&](const DpiInfo& record) {
    if (fault == DrawingFault::None) fault = FaultOf(record);
    return fault == DrawingFault::Compression ? TiffWalk::Stop : TiffWalk::Next;
  });
  if (!wellFormed || fault == DrawingFault::Compression) {
    AppendFileFinding(PathFinding(FindingKind::CompressionDiffers, path), path, message, host,
                      counters);
    return {1, false};
  }
  if (fault == DrawingFault::Resolution) {
    AppendFileFinding(PathFinding(FindingKind::PixelsOutsideGivenRange, path), path, message, host,
                      counters);
    return {1, false};
  }
  return {};
}

bool SizeRuleApplies(const std::u16string& category) {
  if (g_szRuleSet == kRuleSetOlder) return true;
  return g_szRuleSet == kRuleSetCurrent && g_guideline == Guideline::H24 &&
         IsOneOf(category, {kCategoryProgress, kCategoryInspection, kCategorySafety, kCategoryOther,
                            kCategoryDisaster});
}

// The size from the file system; 0 when it cannot be read.
std::uint64_t FileSize(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  return error ? 0 : size;
}

bool TooLarge(const std::filesystem::path& file, const CImgLimit& row) {
  // The limit in 64 bits, so that no table value overflows it; a negative limit, taken as an
  // unsigned number, lets every file pass.
  const std::int64_t limit = std::int64_t{ParseTableNumber(row.maxSizeKb).value_or(0)} * 1024;
  return FileSize(file) > static_cast<std::uint64_t>(limit);
}

}  // namespace

bool TamperCheckApplies() {
  return g_szRuleSet == kRuleSetCurrent && g_guideline == Guideline::H29 && g_hCheckHash &&
         g_pfnCheckHashValue;
}

MediumFolder::MediumFolder(const std::u16string& mediaPath)
    : path(mediaPath), written(ToFsPath(mediaPath)), real(RealPath(written)) {}

LocatedPhoto LocatePhotoFile(const std::u16string& photoFileName, const MediumFolder& medium) {
  for (const ImgItem& item : g_imageRules) {
    if (item.name != u"PHOTO") continue;
    const CImgLimit* row = RowForName(item, photoFileName);
    if (row && IsPhotoRow(*row)) {
      if (!StaysInItsFolder(photoFileName)) return {row, std::nullopt};
      return {row, LocateFile(medium, FilePath(medium.path, *row, photoFileName))};
    }
  }
  return {};
}

int CheckPhotoFiles(const std::u16string& photoFileName,
                    const std::vector<std::u16string>& drawingNames, const std::u16string& category,
                    const std::u16string& mediaPath, std::u16string& message, RunHost& host,
                    FindingCounters& counters, const LocatedPhoto& located) {
  int result = 0;
  for (const ImgItem& item : g_imageRules) {
    if (item.name == u"PHOTO") {
      const CImgLimit* row = RowForName(item, photoFileName);
      if (row && CheckNamedFile(photoFileName, *row, category, mediaPath, message, host, counters,
                                located) != 0) {
        result = 1;
      }
    } else if (item.name == u"REFERENCE") {
      for (const std::u16string& drawingName : drawingNames) {
        if (drawingName.empty()) continue;
        const CImgLimit* row = RowForName(item, drawingName);
        if (row && CheckNamedFile(drawingName, *row, category, mediaPath, message, host, counters,
                                  {}) != 0) {
          result = 1;
        }
      }
    }
  }
  return result;
}

int CheckImageFile(const std::u16string& path, const std::filesystem::path& file,
                   const CImgLimit& row, const std::u16string& category, std::u16string& message,
                   RunHost& host, FindingCounters& counters) {
  int flag = 0;
  if (IsPhotoRow(row)) {
    const ContentResult photo =
        CheckPhotoContent(path, file, row, category, message, host, counters);
    if (photo.endsFileChecks) return 1;
    flag |= photo.flag;
  }
  if (row.format == u"TIFF") {
    const ContentResult tiff = CheckTiffContent(path, file, message, host, counters);
    if (tiff.endsFileChecks) return 1;
    flag |= tiff.flag;
  }
  if (!category.empty() && SizeRuleApplies(category) && TooLarge(file, row)) {
    AppendFileFinding(PathFinding(FindingKind::FileTooLarge, path), path, message, host, counters);
    return 1;
  }
  return flag;
}

int CheckExifVersion(const std::u16string& path, const std::u16string& exifVersion,
                     std::u16string& message, RunHost& host, FindingCounters& counters) {
  // Ordinal comparison: "V 2.1", "V 2.2", "V 2.21" and "V 2.3" pass; "V 2.0", "V 1.0" and an
  // empty text do not.
  if (UpperCaseName(exifVersion) >= std::u16string_view(u"V 2.1")) return 0;
  return AppendFileFinding(PathFinding(FindingKind::ExifTooOld, path), path, message, host,
                           counters);
}

}  // namespace kestrova
