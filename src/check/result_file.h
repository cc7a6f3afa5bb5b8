// The result file: the result log as UTF-16 little-endian text with byte order mark, CR LF
// between lines and no line break after the last line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

// The bytes of a result file holding the log text (whose lines end in LF).
std::string ResultFileBytes(std::u16string_view logText);

// The file that writing to the path replaces: the path with every symbolic link it ends in
// followed, so that a link keeps being a link and the file it names is replaced.
std::filesystem::path ResultFileTarget(const std::filesystem::path& path);

// Writes the bytes. An existing file that is not a regular one (a device, a pipe) is written
// into; otherwise the file that ResultFileTarget names is replaced through a temporary file
// created beside it and renamed into place, so that a failed write never leaves a half-written
// file. False when it could not be written.
bool WriteOutputFile(const std::filesystem::path& path, std::string_view bytes);

// Writes the result file of the log text as WriteOutputFile does.
bool WriteResultFile(const std::filesystem::path& path, std::u16string_view logText);

}  // namespace kestrova
