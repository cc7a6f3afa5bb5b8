// Reading the UTF-16 text files of the installation (rule tables, clean-up list).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

// Reads a UTF-16 little-endian text file as the rule tables are read: the first two bytes (the
// byte order mark) are skipped by position without being examined, and CR LF becomes LF.
// A trailing odd byte is dropped. Empty when the file cannot be opened or read.
std::optional<std::u16string> ReadUtf16TextFile(const std::filesystem::path& path);

// Reads a text file as a Unicode text stream of the Windows runtime reads it: after a UTF-16
// little-endian byte order mark as UTF-16LE, after a UTF-8 byte order mark as UTF-8, without a
// mark as UTF-16LE from the first byte; CR LF becomes LF. Empty when the file cannot be read.
std::optional<std::u16string> ReadUnicodeTextFile(const std::filesystem::path& path);

// Text with every CR LF pair turned into LF.
std::u16string DropCarriageReturns(std::u16string_view text);

}  // namespace kestrova
