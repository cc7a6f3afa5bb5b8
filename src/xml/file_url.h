// File URLs as libxml2 resolves relative references against them. A plain path with characters
// outside ASCII (a Japanese folder name) is no URI to libxml2, which would then resolve a DTD
// name against the current folder; a percent-escaped file URL keeps the folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

// "file://" and the absolute path, every byte but letters, digits, "-._~" and "/" escaped.
std::string FileUrlFromPath(const std::filesystem::path& absolutePath);

// The local path a "file:" URL names (query and fragment ignored); empty for anything else.
std::optional<std::filesystem::path> PathFromFileUrl(const char* url);

}  // namespace kestrova
