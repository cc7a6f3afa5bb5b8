// Where an XML file of a medium, or the medium folder, lies on the local file system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

// The path with "\" taken as a folder separator as well (the rule files write relative paths
// the Windows way; no name on a medium contains one).
std::filesystem::path LocalPath(const std::u16string& path);

// The canonical path of the existing regular file that the path names, letter case ignored.
std::optional<std::filesystem::path> FindXmlFile(const std::u16string& path);

}  // namespace kestrova
