// The pieces of a TIFF structure that both the EXIF reader and the TIFF drawing reader use: the
// byte order, numbers at positions of the file, and IFD entries with their byte sizes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "image/image_file.h"

namespace kestrova {

enum class TiffFieldType : std::uint16_t {
  Byte = 1,
  Ascii = 2,
  Short = 3,
  Long = 4,
  Rational = 5,
  SByte = 6,
  Undefined = 7,
  SShort = 8,
  SLong = 9,
  SRational = 10,
  Float = 11,
  Double = 12,
};

// One 12-byte IFD entry as it stands in the file.
struct IfdEntry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::array<std::uint8_t, 4> valueField{};
};

// A TIFF structure in a file: its byte order and the file position its offsets count from.
class TiffView {
 public:
  TiffView(ImageFile& file, std::uint64_t base, bool bigEndian)
      : m_file(file), m_base(base), m_bigEndian(bigEndian) {}

  // "II" little-endian, "MM" big-endian, anything else: no TIFF structure.
  static std::optional<bool> BigEndianFromMark(std::uint8_t first, std::uint8_t second);

  ImageFile& File() const { return m_file; }
  std::uint64_t Base() const { return m_base; }

  // Numbers at an offset from the base, in the structure's byte order; empty when the bytes do
  // not lie wholly within the file.
  std::optional<std::uint16_t> U16(std::uint64_t offset) const;
  std::optional<std::uint32_t> U32(std::uint64_t offset) const;
  std::optional<IfdEntry> Entry(std::uint64_t offset) const;

  // Numbers held in the first bytes of an entry's value field.
  std::uint16_t FieldU16(const IfdEntry& entry) const;
  std::uint32_t FieldU32(const IfdEntry& entry) const;

  // The number held in n (1 to 4) bytes in the structure's byte order.
  std::uint32_t Decode(const std::uint8_t* bytes, int n) const;

 private:
  ImageFile& m_file;
  std::uint64_t m_base;
  bool m_bigEndian;
};

// Count times the size of the field type; 0 for an unknown type. 64-bit: a count near 2^32
// times 8 does not wrap.
std::uint64_t EntryByteSize(const IfdEntry& entry);

inline constexpr std::uint64_t kIfdEntrySize = 12;

}  // namespace kestrova
