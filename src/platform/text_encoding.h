// Conversions between the engine's UTF-16 texts and UTF-8 at its edges.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Decimal text of a number, as "%d" formats it.
std::u16string DecimalText(long long value);

}  // namespace kestrova
