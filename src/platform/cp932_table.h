// The tables of code page 932 as Windows converts it, generated from Microsoft's best-fit table
// (tools/cp932/generate_cp932_table.py writes cp932_table.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kestrova {

// One UTF-16 unit and the bytes Windows gives for it: lead byte << 8 | trail byte for a
// double-byte character, the byte itself for a single-byte one.
struct Cp932UnitMapping {
  char16_t unit;
  std::uint16_t bytes;
};

// The lowest trail byte that the double-byte tables hold.
inline constexpr int kCp932TrailFirst = 0x40;

// Every unit that has bytes (table and best-fit mappings), in ascending order of unit.
extern const std::span<const Cp932UnitMapping> kCp932UnitMappings;
// For each byte, its position among the lead bytes (an index into kCp932DoubleByteUnits), or -1.
extern const signed char kCp932LeadIndex[256];
// Single byte to unit, for every byte that is not a lead byte.
extern const char16_t kCp932SingleByteUnits[256];
// Per lead byte, trail byte - kCp932TrailFirst to unit; 0 where the pair has no character.
extern const std::span<const std::array<char16_t, 256 - kCp932TrailFirst>> kCp932DoubleByteUnits;
// The bytes that stand as trail byte of some double-byte character.
extern const bool kCp932TrailByte[256];

}  // namespace kestrova
