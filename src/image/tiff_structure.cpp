#include "image/tiff_structure.h"

namespace kestrova {

std::optional<bool> TiffView::BigEndianFromMark(std::uint8_t first, std::uint8_t second) {
  if (first == 'I' && second == 'I') return false;
  if (first == 'M' && second == 'M') return true;
  return std::nullopt;
}

std::uint32_t TiffView::Decode(const std::uint8_t* bytes, int n) const {
  std::uint32_t value = 0;
  for (int i = 0; i < n; ++i) {
    const int index = m_bigEndian ? i : n - 1 - i;
    value = (value << 8) | bytes[index];
  }
  return value;
}

std::optional<std::uint16_t> TiffView::U16(std::uint64_t offset) const {
  std::uint8_t bytes[2];
  if (!m_file.ReadAt(m_base + offset, 2, bytes)) return std::nullopt;
  return static_cast<std::uint16_t>(Decode(bytes, 2));
}

std::optional<std::uint32_t> TiffView::U32(std::uint64_t offset) const {
  std::uint8_t bytes[4];
  if (!m_file.ReadAt(m_base + offset, 4, bytes)) return std::nullopt;
  return Decode(bytes, 4);
}

std::optional<IfdEntry> TiffView::Entry(std::uint64_t offset) const {
  std::uint8_t bytes[kIfdEntrySize];
  if (!m_file.ReadAt(m_base + offset, kIfdEntrySize, bytes)) return std::nullopt;
  IfdEntry entry;
  entry.tag = static_cast<std::uint16_t>(Decode(bytes, 2));
  entry.type = static_cast<std::uint16_t>(Decode(bytes + 2, 2));
  entry.count = Decode(bytes + 4, 4);
  for (size_t i = 0; i < 4; ++i) entry.valueField[i] = bytes[8 + i];
  return entry;
}

std::uint16_t TiffView::FieldU16(const IfdEntry& entry) const {
  return static_cast<std::uint16_t>(Decode(entry.valueField.data(), 2));
}

std::uint32_t TiffView::FieldU32(const IfdEntry& entry) const {
  return Decode(entry.valueField.data(), 4);
}

std::uint64_t EntryByteSize(const IfdEntry& entry) {
  static constexpr std::uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  const std::uint64_t size = entry.type < std::size(kSizes) ? kSizes[entry.type] : 0;
  return size * entry.count;
}

}  // namespace kestrova
