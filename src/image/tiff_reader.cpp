#include "image/tiff_reader.h"

#include <set>

#include "image/tiff_structure.h"

namespace kestrova {
namespace {

constexpr std::uint16_t kTagCompression = 259;
constexpr std::uint16_t kTagXResolution = 282;
constexpr std::uint16_t kTagYResolution = 283;
constexpr std::uint16_t kTagResolutionUnit = 296;

// The RATIONAL at the entry's offset, both parts unsigned; 0 when it cannot be read.
float RationalAt(const TiffView& tiff, const IfdEntry& entry) {
  const std::uint64_t offset = tiff.FieldU32(entry);
  const auto numerator = tiff.U32(offset);
  const auto denominator = tiff.U32(offset + 4);
  if (!numerator || !denominator) return 0;
  return static_cast<float>(*numerator) / static_cast<float>(*denominator);
}

}  // namespace

bool ReadTiffResolutions(ImageFile& file, const TiffImageVisitor& visit) {
  std::uint8_t header[4];
  if (!file.ReadAt(0, 4, header)) return false;
  const auto bigEndian = TiffView::BigEndianFromMark(header[0], header[1]);
  if (!bigEndian) return false;
  const TiffView tiff(file, 0, *bigEndian);
  if (tiff.U16(2) != 42) return false;
  auto offset = tiff.U32(4);
  if (!offset) return false;

  // An IFD without a resolution or compression tag keeps the value of the IFD before.
  DpiInfo current;
  std::set<std::uint32_t> visited;
  while (*offset != 0 && visited.insert(*offset).second) {
    if (visited.size() > kMaxTiffImages) return false;
    const auto count = tiff.U16(*offset);
    if (!count) return false;
    current.resolutionUnit = 2;
    for (std::uint64_t i = 0; i < *count; ++i) {
      const auto entry = tiff.Entry(*offset + 2 + i * kIfdEntrySize);
      if (!entry) return false;
      const auto type = static_cast<TiffFieldType>(entry->type);
      switch (entry->tag) {
        case kTagXResolution:
        case kTagYResolution:
          if (type != TiffFieldType::Rational) return false;
          (entry->tag == kTagXResolution ? current.xResolution : current.yResolution) =
              RationalAt(tiff, *entry);
          break;
        case kTagCompression:
        case kTagResolutionUnit:
          if (type != TiffFieldType::Short) return false;
          (entry->tag == kTagCompression ? current.compression : current.resolutionUnit) =
              tiff.FieldU16(*entry);
          break;
        default:
          break;
      }
    }
    offset = tiff.U32(*offset + 2 + *count * kIfdEntrySize);
    if (!offset) return false;
    if (visit(current) == TiffWalk::Stop) return true;
  }
  return true;
}

bool ReadTiffResolutions(ImageFile& file, std::vector<DpiInfo>& records) {
  return ReadTiffResolutions(file, [&](const DpiInfo& record) {
    records.push_back(record);
    return TiffWalk::Next;
  });
}

}  // namespace kestrova
