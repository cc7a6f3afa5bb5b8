#include "image/exif_reader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "image/tiff_structure.h"
#include "platform/text_encoding.h"

namespace kestrova {
namespace {

constexpr std::uint16_t kTagExifIfdPointer = 0x8769;
constexpr std::uint16_t kTagGpsIfdPointer = 0x8825;
constexpr std::uint16_t kTagExifVersion = 0x9000;
constexpr std::uint16_t kTagPixelXDimension = 0xA002;
constexpr std::uint16_t kTagPixelYDimension = 0xA003;
constexpr std::uint16_t kLastGpsTag = 31;

// The TIFF header lies after the APP1 marker, its length, "Exif" and two more bytes.
constexpr std::uint64_t kTiffHeaderOffset = 10;
constexpr std::uint64_t kMaxAsciiSize = 127;
constexpr std::uint64_t kRationalSize = 8;

// How far a walk over the markers of a huge file goes between two polls of the cancel flag.
constexpr std::uint64_t kPollDistance = std::uint64_t{1} << 20;

// The entries of the IFD at the offset, cut where the file ends inside the list.
std::vector<IfdEntry> ReadIfdEntries(const TiffView& tiff, std::uint64_t offset,
                                     std::uint32_t count) {
  std::vector<IfdEntry> entries;
  for (std::uint64_t i = 0; i < count; ++i) {
    const auto entry = tiff.Entry(offset + 2 + i * kIfdEntrySize);
    if (!entry) break;
    entries.push_back(*entry);
  }
  return entries;
}

// The entries of an IFD whose count is read as an unsigned number; none when not even the
// count lies within the file.
std::vector<IfdEntry> ReadIfd(const TiffView& tiff, std::uint64_t offset) {
  const auto count = tiff.U16(offset);
  return count ? ReadIfdEntries(tiff, offset, *count) : std::vector<IfdEntry>{};
}

// The first n bytes of the entry's value: from the value field when the whole value fits in
// it, else from the file at the offset that the field holds. False when they lie outside.
bool ValueBytes(const TiffView& tiff, const IfdEntry& entry, std::size_t n, std::uint8_t* out) {
  if (EntryByteSize(entry) <= entry.valueField.size()) {
    std::memcpy(out, entry.valueField.data(), n);
    return true;
  }
  return tiff.File().ReadAt(tiff.Base() + tiff.FieldU32(entry), n, out);
}

struct Rational {
  std::uint32_t numerator = 0;
  std::uint32_t denominator = 0;
};

// The index-th RATIONAL at the offset that the entry's value field holds.
std::optional<Rational> RationalAt(const TiffView& tiff, const IfdEntry& entry, int index) {
  const std::uint64_t offset =
      tiff.FieldU32(entry) + static_cast<std::uint64_t>(index) * kRationalSize;
  const auto numerator = tiff.U32(offset);
  const auto denominator = tiff.U32(offset + 4);
  if (!numerator || !denominator) return std::nullopt;
  return Rational{*numerator, *denominator};
}

std::u16string RationalText(const Rational& value) {
  const float quotient = static_cast<float>(static_cast<std::int32_t>(value.numerator)) /
                         static_cast<float>(static_cast<std::int32_t>(value.denominator));
  // A zero denominator gives a text that reads as no number, so as the number 0.
  if (std::isnan(quotient)) return u"nan";
  if (std::isinf(quotient)) return quotient > 0 ? u"inf" : u"-inf";
  if (quotient == std::trunc(quotient)) return DecimalText(static_cast<long long>(quotient));
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%.2f", static_cast<double>(quotient));
  return std::u16string(text, text + length);
}

// The value text of an entry by its field type; empty optional when it has none.
std::optional<std::u16string> ValueText(const TiffView& tiff, const IfdEntry& entry) {
  const std::uint64_t size = EntryByteSize(entry);
  if (size == 0) return std::nullopt;
  std::uint8_t bytes[kMaxAsciiSize];
  switch (static_cast<TiffFieldType>(entry.type)) {
    case TiffFieldType::Byte:
      if (!ValueBytes(tiff, entry, 1, bytes)) return std::nullopt;
      return DecimalText(bytes[0]);
    case TiffFieldType::Ascii: {
      if (size > kMaxAsciiSize || !ValueBytes(tiff, entry, size, bytes)) return std::nullopt;
      std::u16string text;
      for (std::uint64_t i = 0; i < size && bytes[i] != 0; ++i) text.push_back(bytes[i]);
      return text;
    }
    case TiffFieldType::Short:
      if (!ValueBytes(tiff, entry, 2, bytes)) return std::nullopt;
      return DecimalText(tiff.Decode(bytes, 2));
    case TiffFieldType::Long:
      if (!ValueBytes(tiff, entry, 4, bytes)) return std::nullopt;
      return DecimalText(tiff.Decode(bytes, 4));
    case TiffFieldType::SLong:
      if (!ValueBytes(tiff, entry, 4, bytes)) return std::nullopt;
      return DecimalText(static_cast<std::int32_t>(tiff.Decode(bytes, 4)));
    case TiffFieldType::Rational:
    case TiffFieldType::SRational: {
      const auto value = RationalAt(tiff, entry, 0);
      if (!value) return std::nullopt;
      return RationalText(*value);
    }
    default:
      return std::nullopt;
  }
}

// "V", the first byte or a blank for "0", the second, ".", the third, the fourth unless it is
// "0"; the text ends at the first zero byte. The bytes are the value field's, in file order.
std::u16string VersionText(const IfdEntry& entry) {
  const auto& c = entry.valueField;
  std::u16string text = u"V";
  text.push_back(c[0] == '0' ? u' ' : c[0]);
  text.push_back(c[1]);
  text.push_back(u'.');
  text.push_back(c[2]);
  if (c[3] != '0') text.push_back(c[3]);
  return text.substr(0, text.find(u'\0'));
}

// Whether one GPS IFD entry yields a GNSS value.
bool YieldsGnssValue(const TiffView& tiff, const IfdEntry& entry) {
  if (entry.tag > kLastGpsTag || EntryByteSize(entry) == 0) return false;
  const auto rationals = [&](int n) {
    std::vector<Rational> values;
    for (int i = 0; i < n; ++i) {
      const auto value = RationalAt(tiff, entry, i);
      if (!value) return std::vector<Rational>{};
      values.push_back(*value);
    }
    return values;
  };
  switch (entry.tag) {
    case 15:  // GPSTrack
    case 17:  // GPSImgDirection
    case 24:  // GPSDestBearing: a zero denominator counts as 1
      return !rationals(1).empty();
    case 6:     // GPSAltitude
    case 13:    // GPSSpeed
    case 26:    // GPSDestDistance
    case 31: {  // GPSHPositioningError
      const auto values = rationals(1);
      return !values.empty() && values[0].denominator != 0;
    }
    case 2:     // GPSLatitude
    case 4:     // GPSLongitude
    case 20:    // GPSDestLatitude
    case 22: {  // GPSDestLongitude: degrees, minutes, seconds
      const auto values = rationals(3);
      return !values.empty() && values[0].denominator != 0 && values[1].denominator != 0 &&
             (values[1].denominator != 1 || values[2].denominator != 0);
    }
    case 7: {  // GPSTimeStamp
      const auto values = rationals(3);
      return !values.empty() && values[0].denominator != 0 && values[1].denominator != 0 &&
             values[2].denominator != 0;
    }
    case 11:    // GPSDOP
    case 18:    // GPSMapDatum
    case 29: {  // GPSDateStamp: an empty text holds no GNSS information
      const auto text = ValueText(tiff, entry);
      return text && !text->empty();
    }
    case 27:  // GPSProcessingMethod
    case 28:  // GPSAreaInformation
      return false;
    default:  // the reference letters, version, satellites, status and the like
      return true;
  }
}

// The EXIF part of ReadExifInfo: true when EXIF information was found and read.
bool ReadExifPart(ImageFile& file, ExifInfo& info) {
  const auto segment = FindExifSegment(file);
  if (!segment) return false;
  const std::uint64_t header = *segment + kTiffHeaderOffset;
  std::uint8_t mark[2];
  if (!file.ReadAt(header, 2, mark)) return false;
  const auto bigEndian = TiffView::BigEndianFromMark(mark[0], mark[1]);
  if (!bigEndian) return false;
  const TiffView tiff(file, header, *bigEndian);

  const auto zerothOffset = tiff.U32(4);
  if (!zerothOffset) return false;
  const auto zerothCount = tiff.U16(*zerothOffset);
  if (!zerothCount || *zerothCount == 0 || *zerothCount >= 0x8000) return false;
  const auto zeroth = ReadIfdEntries(tiff, *zerothOffset, *zerothCount);
  if (zeroth.empty()) return false;

  // Without an Exif IFD pointer the last entry's value field stands for the offset.
  std::uint32_t exifOffset = tiff.FieldU32(zeroth.back());
  std::uint32_t gpsOffset = 0;
  for (const IfdEntry& entry : zeroth) {
    if (entry.tag == kTagExifIfdPointer) exifOffset = tiff.FieldU32(entry);
    if (entry.tag == kTagGpsIfdPointer) gpsOffset = tiff.FieldU32(entry);
  }

  if (header + exifOffset >= file.Size()) return false;
  for (const IfdEntry& entry : ReadIfd(tiff, exifOffset)) {
    if (EntryByteSize(entry) == 0) continue;
    if (entry.tag == kTagExifVersion) info.exifVersion = VersionText(entry);
    if (entry.tag == kTagPixelXDimension)
      info.pixelXDimension = ValueText(tiff, entry).value_or(u"");
    if (entry.tag == kTagPixelYDimension)
      info.pixelYDimension = ValueText(tiff, entry).value_or(u"");
  }

  if (gpsOffset != 0) {
    if (header + gpsOffset >= file.Size()) return false;
    for (const IfdEntry& entry : ReadIfd(tiff, gpsOffset)) {
      if (YieldsGnssValue(tiff, entry)) {
        info.hasGnss = true;
        break;
      }
    }
  }
  // Answers must be those of the whole file: a read error anywhere fails the EXIF part.
  return !file.ReadFailed();
}

}  // namespace

std::optional<std::uint64_t> FindExifSegment(ImageFile& file) {
  std::uint8_t bytes[4];
  if (!file.ReadAt(0, 2, bytes) || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
  // Any two bytes are taken as a marker; every step moves on by at least two bytes, so the walk
  // ends at the end of the file.
  std::uint64_t nextPoll = kPollDistance;
  for (std::uint64_t position = 2;;) {
    if (position >= nextPoll) {
      if (file.PollCancel()) return std::nullopt;
      nextPoll = position + kPollDistance;
    }
    if (!file.ReadAt(position, 4, bytes)) return std::nullopt;
    const std::uint64_t length = static_cast<std::uint64_t>((bytes[2] << 8) | bytes[3]);
    if (bytes[0] == 0xFF && bytes[1] == 0xE1) {
      if (!file.ReadAt(position + 4, 4, bytes)) return std::nullopt;
      if (std::memcmp(bytes, "Exif", 4) == 0) return position;
    }
    if (length == 0 && bytes[0] == 0 && bytes[1] == 0) {
      // Four zero bytes: the walk goes on two bytes at a time through the zeros. It stops at
      // the first of those positions whose four bytes reach the next byte that is not zero.
      const std::uint64_t nonZero = file.FindNonZero(position + 4);
      position += 2 * ((nonZero - position - 2) / 2);
      continue;
    }
    position += 2 + length;
  }
}

std::optional<std::uint64_t> FindExifSegment(const std::u16string& path) {
  ImageFile file(path);
  return FindExifSegment(file);
}

JpegFrameSize ReadJpegFrameSize(ImageFile& file) {
  std::uint8_t bytes[7];
  std::uint64_t nextPoll = kPollDistance;
  for (std::uint64_t position = 0;;) {
    if (position >= nextPoll) {
      if (file.PollCancel()) return {};
      nextPoll = position + kPollDistance;
    }
    if (!file.ReadAt(position, 2, bytes) || bytes[0] != 0xFF) return {};
    const std::uint8_t marker = bytes[1];
    position += 2;
    if (marker == 0xC0) {
      // Length, sample precision, number of lines, samples per line.
      if (!file.ReadAt(position, 7, bytes)) return {};
      return JpegFrameSize{static_cast<std::uint16_t>((bytes[5] << 8) | bytes[6]),
                           static_cast<std::uint16_t>((bytes[3] << 8) | bytes[4])};
    }
    if (marker == 0xD8) continue;
    // The length counts from its own first byte. A length below 2 leads back onto the length
    // field, whose first byte is 00, so the walk stops there.
    if (!file.ReadAt(position, 2, bytes)) return {};
    position += static_cast<std::uint64_t>((bytes[0] << 8) | bytes[1]);
  }
}

JpegFrameSize ReadJpegFrameSize(const std::u16string& path) {
  ImageFile file(path);
  return ReadJpegFrameSize(file);
}

ExifInfo ReadExifInfo(const std::u16string& path) {
  ImageFile file(path);
  return ReadExifInfo(file);
}

ExifInfo ReadExifInfo(ImageFile& file) {
  ExifInfo info;
  if (!ReadExifPart(file, info)) {
    info = ExifInfo{};
  } else {
    info.found = true;
  }
  const JpegFrameSize frame = ReadJpegFrameSize(file);
  info.frameWidth = frame.width;
  info.frameHeight = frame.height;
  info.cancelled = file.Cancelled();
  return info;
}

}  // namespace kestrova
