// Conversions between the engine's UTF-16 texts and UTF-8 at its edges.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// File names as the engine's texts, losslessly: bytes that are not UTF-8 become U+DC80 to
// U+DCFF (one unit per byte) and are written back as the same bytes.
std::u16string PathBytesToUtf16(std::string_view bytes);
std::string Utf16ToPathBytes(std::u16string_view text);

// The text as it is shown: every unpaired surrogate (a byte of a file name that is not UTF-8
// among them) becomes U+FFFD.
std::u16string ShownText(std::u16string_view text);

// Decimal text of a number, as "%d" formats it.
std::u16string DecimalText(long long value);

}  // namespace kestrova
