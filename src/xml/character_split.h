// A value as code page 932 writes it, split into characters: how long it is and which Shift-JIS
// code each of its characters has, as the enabled-character sets compare them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct CharacterSplit {
  int count = 0;  // number of characters
  // Per character: its code as four lowercase hexadecimal digits, lead and trail byte of a
  // double-byte character ("82a0"), a single byte with two leading zeros ("0041").
  std::vector<std::u16string> codes;
  std::vector<std::string> chars;  // per character: its one or two bytes
};

// Converts the value to code page 932 one UTF-16 unit at a time ("?" for what the code page
// lacks, each half of a surrogate pair too) and splits the bytes. A value is split in full,
// however long.
CharacterSplit SplitCharacters(const std::u16string& value);

// Splits code page 932 bytes: a lead byte and the byte after it are one character, any other
// byte is one; a lead byte at the end is not counted.
CharacterSplit SplitCp932Bytes(std::string_view bytes);

}  // namespace kestrova
