// The result file: the result log as UTF-16 little-endian text with byte order mark, CR LF
// between lines and no line break after the last line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

// The bytes of a result file holding the log text (whose lines end in LF).
std::string ResultFileBytes(std::u16string_view logText);

// Writes the file through a temporary file beside it, renamed into place, so that a failed
// write never leaves a half-written file. False when it could not be written.
bool WriteResultFile(const std::filesystem::path& path, std::u16string_view logText);

}  // namespace kestrova
