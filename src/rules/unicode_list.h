// The Unicode character list: the UTF-16 units that values may hold under the current format,
// the file PHOT_KQ4/unicode_list.dat of the program folder.
#pragma once

#include <cstddef>
#include <string>

namespace kestrova {

// The number of units the list holds (little-endian, no header); later bytes are not read.
inline constexpr size_t kUnicodeListLength = 7043;

// Writes into output each character of the text that the list does not hold, once, in order of
// first appearance (line feeds, and carriage returns before them, are never reported), at most
// size - 1 of them. Returns 1 when the list was read; 0 when it could not be read (output is then
// left as it was), when size is below 2 (nothing written) or when the text is empty (output
// emptied). The file is read again only when it changed.
int FindUnlistedChars(const std::u16string& text, std::u16string& output, size_t size);

}  // namespace kestrova
