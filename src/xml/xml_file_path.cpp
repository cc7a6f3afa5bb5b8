#include "xml/xml_file_path.h"

#include "platform/file_access.h"

namespace kestrova {

std::optional<std::filesystem::path> FindXmlFile(const std::u16string& path) {
  if (path.empty()) {
    return std::nullopt;
  }
  const auto found = ResolvePathIgnoringCase(ToFsPath(path));
  if (!found || !IsRegularFile(*found)) {
    return std::nullopt;
  }
  return RealPath(*found);
}

}  // namespace kestrova
