#include "xml/xml_file_path.h"

#include <algorithm>
#include <system_error>

#include "platform/file_access.h"

namespace kestrova {

std::filesystem::path LocalPath(const std::u16string& path) {
  std::u16string local = path;
  std::replace(local.begin(), local.end(), u'\\', kPathSeparator);
  return ToFsPath(local);
}

std::optional<std::filesystem::path> FindXmlFile(const std::u16string& path) {
  if (path.empty()) {
    return std::nullopt;
  }
  const auto found = ResolvePathIgnoringCase(LocalPath(path));
  if (!found || !IsRegularFile(*found)) {
    return std::nullopt;
  }
  std::error_code error;
  std::filesystem::path real = std::filesystem::canonical(*found, error);
  if (error) {
    return std::nullopt;
  }
  return real;
}

}  // namespace kestrova
