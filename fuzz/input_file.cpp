#include "input_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/file_access.h"

namespace kestrova::fuzz {

const std::u16string& InputFolder() {
  static const std::u16string folder = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrova-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return FromFsPath(pattern);
  }();
  return folder;
}

std::u16string WriteInputFile(const char* name, const std::uint8_t* data, std::size_t size) {
  const std::u16string path = JoinPath(InputFolder(), FromFsPath(name));
  std::FILE* file = std::fopen(ToFsPath(path).c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  return path;
}

void RemoveInputFolder() { std::filesystem::remove_all(ToFsPath(InputFolder())); }

}  // namespace kestrova::fuzz
