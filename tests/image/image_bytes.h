// Small synthetic JPEG and TIFF files for the image reader tests, built byte by byte, and the
// reader's answers as one comparable text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/exif_reader.h"
#include "platform/text_encoding.h"

namespace kestrova::test {

inline std::string Put16(std::uint32_t v, bool bigEndian) {
  const char a = static_cast<char>(v >> 8), b = static_cast<char>(v & 0xFF);
  return bigEndian ? std::string{a, b} : std::string{b, a};
}

inline std::string Put32(std::uint32_t v, bool bigEndian) {
  return bigEndian ? Put16(v >> 16, true) + Put16(v & 0xFFFF, true)
                   : Put16(v & 0xFFFF, false) + Put16(v >> 16, false);
}

// One IFD entry. Its value comes from numbers (SHORT/LONG parts, RATIONAL numerator and
// denominator pairs, written in the block's byte order), or from raw bytes in file order, or is
// a value field given outright. A value longer than 4 bytes is stored after the IFD.
struct TiffEntry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::vector<std::uint32_t> numbers;
  std::string raw;
  std::optional<std::uint32_t> field;
  bool subIfdPointer = false;  // the value field is filled with the offset of a following IFD
};

inline TiffEntry Numbers(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                         std::vector<std::uint32_t> numbers) {
  TiffEntry entry;
  entry.tag = tag;
  entry.type = type;
  entry.count = count;
  entry.numbers = std::move(numbers);
  return entry;
}
inline TiffEntry Raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                     const std::string& raw) {
  TiffEntry entry = Numbers(tag, type, count, {});
  entry.raw = raw;
  return entry;
}
inline TiffEntry Short(std::uint16_t tag, std::uint16_t value) {
  return Numbers(tag, 3, 1, {value});
}
inline TiffEntry Long(std::uint16_t tag, std::uint32_t value) {
  return Numbers(tag, 4, 1, {value});
}
inline TiffEntry Rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator) {
  return Numbers(tag, 5, 1, {numerator, denominator});
}
inline TiffEntry Ascii(std::uint16_t tag, const std::string& text) {
  return Raw(tag, 2, static_cast<std::uint32_t>(text.size() + 1), text + std::string(1, '\0'));
}
inline TiffEntry Undefined(std::uint16_t tag, const std::string& bytes) {
  return Raw(tag, 7, static_cast<std::uint32_t>(bytes.size()), bytes);
}
inline TiffEntry Field(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                       std::uint32_t field) {
  TiffEntry entry = Numbers(tag, type, count, {});
  entry.field = field;
  return entry;
}
inline TiffEntry Pointer(std::uint16_t tag) {
  TiffEntry entry = Numbers(tag, 4, 1, {});
  entry.subIfdPointer = true;
  return entry;
}

inline std::string ValueBytes(const TiffEntry& entry, bool bigEndian) {
  if (!entry.raw.empty()) return entry.raw;
  std::string bytes;
  for (std::uint32_t n : entry.numbers) {
    bytes += entry.type == 3 ? Put16(n, bigEndian) : Put32(n, bigEndian);
  }
  return bytes;
}

inline std::uint32_t IfdSize(const std::vector<TiffEntry>& entries, bool bigEndian) {
  std::uint32_t size = 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
  for (const TiffEntry& entry : entries) {
    const std::string value = ValueBytes(entry, bigEndian);
    if (!entry.field && !entry.subIfdPointer && value.size() > 4) {
      size += static_cast<std::uint32_t>(value.size());
    }
  }
  return size;
}

// The IFD as it stands at the offset; subIfdPointers fill the entries marked as such in order.
inline std::string IfdBytes(const std::vector<TiffEntry>& entries, std::uint32_t offset,
                            std::uint32_t next, std::vector<std::uint32_t> subIfdPointers,
                            bool bigEndian) {
  std::string ifd = Put16(static_cast<std::uint32_t>(entries.size()), bigEndian);
  std::string values;
  std::uint32_t valueOffset = offset + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
  size_t pointer = 0;
  for (const TiffEntry& entry : entries) {
    ifd +=
        Put16(entry.tag, bigEndian) + Put16(entry.type, bigEndian) + Put32(entry.count, bigEndian);
    std::string value = ValueBytes(entry, bigEndian);
    if (entry.subIfdPointer) {
      ifd += Put32(subIfdPointers.at(pointer++), bigEndian);
    } else if (entry.field) {
      ifd += Put32(*entry.field, bigEndian);
    } else if (value.size() <= 4) {
      ifd += value + std::string(4 - value.size(), '\0');
    } else {
      ifd += Put32(valueOffset + static_cast<std::uint32_t>(values.size()), bigEndian);
      values += value;
    }
  }
  return ifd + Put32(next, bigEndian) + values;
}

// A TIFF structure: header, then the IFDs one after the other. With chained, each IFD's next
// offset leads to the following one (the last to loopTo, 0 by default); otherwise the first
// IFD's sub-IFD pointers lead to the following IFDs in order and every next offset is 0.
struct TiffLayout {
  bool bigEndian = false;
  std::vector<std::vector<TiffEntry>> ifds;
  bool chained = false;
  std::uint32_t loopTo = 0;
};

inline std::string TiffBytes(const TiffLayout& layout) {
  const bool be = layout.bigEndian;
  std::vector<std::uint32_t> offsets;
  std::uint32_t offset = 8;
  for (const auto& ifd : layout.ifds) {
    offsets.push_back(offset);
    offset += IfdSize(ifd, be);
  }
  std::string bytes =
      (be ? "MM" : "II") + Put16(42, be) + Put32(offsets.empty() ? 0 : offsets[0], be);
  for (size_t i = 0; i < layout.ifds.size(); ++i) {
    std::uint32_t next = 0;
    std::vector<std::uint32_t> pointers;
    if (layout.chained) {
      next = i + 1 < offsets.size() ? offsets[i + 1] : layout.loopTo;
    } else if (i == 0) {
      pointers.assign(offsets.begin() + 1, offsets.end());
    }
    bytes += IfdBytes(layout.ifds[i], offsets[i], next, pointers, be);
  }
  return bytes;
}

// A TIFF file of one chain of the given number of images: the first holds the entries, every
// later one is an IFD without entries.
inline std::string TiffChainBytes(const std::vector<TiffEntry>& first, std::size_t images) {
  std::uint32_t next = 8 + IfdSize(first, false);
  std::string bytes = TiffBytes({false, {first}, true, images > 1 ? next : 0});
  bytes.reserve(bytes.size() + 6 * images);
  for (std::size_t i = 1; i < images; ++i) {
    next += 6;
    bytes += Put16(0, false) + Put32(i + 1 < images ? next : 0, false);
  }
  return bytes;
}

inline std::string Segment(std::uint8_t marker, const std::string& payload) {
  const auto length = static_cast<std::uint32_t>(payload.size() + 2);
  return std::string{'\xFF', static_cast<char>(marker)} + Put16(length, true) + payload;
}

inline std::string App0Jfif() {
  return Segment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));
}
inline std::string App1Exif(const std::string& tiff) {
  return Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}
inline std::string App1Xmp() {
  return Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41));
}
// A frame header of the given type (C0 baseline, C2 progressive) with three components.
inline std::string Frame(std::uint8_t marker, std::uint16_t width, std::uint16_t height) {
  return Segment(marker, std::string{8} + Put16(height, true) + Put16(width, true) +
                             std::string("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10));
}

// SOI, the segments, a scan with a few bytes of data, EOI.
inline std::string Jpeg(const std::string& segments) {
  return "\xFF\xD8" + segments + Segment(0xDA, std::string("\x01\x01\0\0\x3F\0", 6)) +
         "\x12\x34\x56" + "\xFF\xD9";
}

// Every field of the record, so that a failed comparison shows them all.
inline std::string Describe(const ExifInfo& info) {
  return std::string(info.found ? "found" : "not found") + " version=[" +
         Utf16ToUtf8(info.exifVersion) + "] pixels=[" + Utf16ToUtf8(info.pixelXDimension) + "]x[" +
         Utf16ToUtf8(info.pixelYDimension) + "] frame=" + std::to_string(info.frameWidth) + "x" +
         std::to_string(info.frameHeight) + (info.hasGnss ? " gnss" : " no gnss");
}

}  // namespace kestrova::test
