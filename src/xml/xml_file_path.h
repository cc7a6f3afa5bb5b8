// Where an XML file of a medium lies on the local file system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

// The canonical path of the existing regular file that the path names, letter case ignored.
std::optional<std::filesystem::path> FindXmlFile(const std::u16string& path);

}  // namespace kestrova
