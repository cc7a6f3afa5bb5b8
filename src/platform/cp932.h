// Code page 932 (Shift-JIS with the NEC and IBM extensions) as Windows converts it: the system's
// character tests judge values by these bytes, whatever platform the checker runs on.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Bytes Windows' WideCharToMultiByte(932, 0, ...) gives for one UTF-16 unit: table or best-fit
// mapping, "?" for a unit it lacks (each surrogate half gives "?"). 1 or 2 bytes.
std::string EncodeCp932Unit(char16_t unit);

// True for a byte that starts a two-byte character in code page 932.
bool IsCp932LeadByte(unsigned char byte);

// Text of code page 932 bytes as Windows' MultiByteToWideChar(932) decodes them: 0x5C is a
// backslash, the NEC and IBM extensions decode (0x8740 is U+2460, 0xFBFC is U+9AD9), and every
// single byte has its unit (0x80 U+0080, 0xA0 U+F8F0, 0xFD..0xFF U+F8F1..U+F8F3). What has no
// character gives the code page's Unicode default character U+30FB:
// - a lead byte and a trail byte whose pair has no character: one U+30FB for both bytes;
// - a lead byte followed by a byte that is no trail byte of the code page (below 0x40, 0x7F,
//   0xFD..0xFF): U+30FB for the lead byte, and the next byte is decoded on its own;
// - a lead byte at the end: U+30FB.
std::u16string DecodeCp932(std::string_view bytes);

}  // namespace kestrova
