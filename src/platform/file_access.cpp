#include "platform/file_access.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/folder_index.h"
#include "platform/text_encoding.h"

namespace kestrova {
namespace {

char16_t UpperCaseUnit(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;                      // full-width Latin
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;           // Latin-1
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;          // Greek
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;                        // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;                        // Cyrillic
  if (c >= 0x100 && c <= 0x17F && (c & 1) && c != 0x131) return c - 1;  // Latin Extended-A
  return c;
}

}  // namespace

std::filesystem::path ToFsPath(std::u16string_view text) {
  return std::filesystem::path(Utf16ToPathBytes(text));
}

std::u16string FromFsPath(const std::filesystem::path& path) {
  return PathBytesToUtf16(path.native());
}

std::u16string JoinPath(std::u16string_view dir, std::u16string_view name) {
  std::u16string joined(dir);
  if (joined.empty() || joined.back() != kPathSeparator) {
    joined.push_back(kPathSeparator);
  }
  joined += name;
  return joined;
}

std::u16string UpperCaseName(std::u16string_view name) {
  std::u16string upper(name);
  for (auto& c : upper) {
    c = UpperCaseUnit(c);
  }
  return upper;
}

std::u16string MediumFilePath(std::u16string_view folder, std::u16string relative) {
  std::replace(relative.begin(), relative.end(), u'\\', kPathSeparator);
  return JoinPath(folder, relative);
}

std::optional<std::filesystem::path> ResolvePathIgnoringCase(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    return path;
  }
  const std::filesystem::path parent = path.parent_path();
  const std::filesystem::path name = path.filename();
  if (name.empty()) {
    // A path that ends in a separator names its folder.
    return parent == path ? std::nullopt : ResolvePathIgnoringCase(parent);
  }
  std::filesystem::path resolvedParent;
  if (!parent.empty()) {
    const auto found = ResolvePathIgnoringCase(parent);
    if (!found) {
      return std::nullopt;
    }
    resolvedParent = *found;
    if (resolvedParent != parent && std::filesystem::exists(resolvedParent / name, error)) {
      return resolvedParent / name;
    }
  }
  const auto match = FindNameIgnoringCase(
      parent.empty() ? std::filesystem::path(".") : resolvedParent, FromFsPath(name));
  if (!match) {
    return std::nullopt;
  }
  return resolvedParent / ToFsPath(*match);
}

std::optional<std::filesystem::path> RealPath(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path real = std::filesystem::canonical(path, error);
  if (error) return std::nullopt;
  return real;
}

std::optional<std::filesystem::path> RealPathBelow(const std::filesystem::path& path,
                                                   const std::filesystem::path& folder,
                                                   const std::filesystem::path& realFolder) {
  const auto whole = [&path] { return RealPath(path); };
  auto name = path.begin();
  for (const std::filesystem::path& part : folder) {
    if (part.empty()) continue;  // the folder's trailing separator
    if (name == path.end() || *name != part) return whole();
    ++name;
  }
  std::filesystem::path real = realFolder;
  for (; name != path.end(); ++name) {
    if (name->empty() || *name == "." || *name == "..") return whole();
    real /= *name;
    char target = 0;
    if (::readlink(real.c_str(), &target, 1) >= 0) return whole();
    // EINVAL: it exists and is no link. Anything else: missing, or not a folder on the way.
    if (errno != EINVAL) return std::nullopt;
  }
  return real;
}

bool LiesInsideFolder(const std::filesystem::path& path, const std::filesystem::path& folder) {
  const std::filesystem::path relative = path.lexically_relative(folder);
  return !relative.empty() && !relative.is_absolute() && *relative.begin() != "..";
}

std::vector<DirEntry> ListDirectory(const std::filesystem::path& dir) {
  return ReadDirectory(dir).value_or(std::vector<DirEntry>());
}

std::optional<std::vector<DirEntry>> ReadDirectory(const std::filesystem::path& dir) {
  std::vector<std::pair<std::u16string, DirEntry>> keyed;
  std::error_code error;
  std::filesystem::directory_iterator it(dir, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    DirEntry entry;
    entry.name = FromFsPath(it->path().filename());
    std::error_code statusError;
    entry.isDirectory = it->is_directory(statusError);
    entry.isRegularFile = it->is_regular_file(statusError);
    keyed.emplace_back(UpperCaseName(entry.name), std::move(entry));
  }
  if (error) {
    return std::nullopt;
  }
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
  });
  std::vector<DirEntry> entries;
  entries.reserve(keyed.size());
  for (auto& [key, entry] : keyed) {
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool IsDirectory(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace kestrova
