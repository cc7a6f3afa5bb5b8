// File access on a medium and in the program folder: native paths from UTF-16 texts, names
// resolved ignoring letter case (as the file systems of media and of Windows do), and directory
// listings in one fixed order.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The separator that the engine puts between folder and name in the texts it builds.
inline constexpr char16_t kPathSeparator = u'/';

std::filesystem::path ToFsPath(std::u16string_view text);
std::u16string FromFsPath(const std::filesystem::path& path);

// dir + separator + name; no second separator when dir already ends in one.
std::u16string JoinPath(std::u16string_view dir, std::u16string_view name);

// The name upper-cased as file names are compared when letter case is ignored.
std::u16string UpperCaseName(std::u16string_view name);

// folder + separator + a path relative to it as the medium's files write it, where a backslash
// separates folders as "/" does (a backslash in the folder itself stays part of its name).
std::u16string MediumFilePath(std::u16string_view folder, std::u16string relative);

// The existing path that the given one names when letter case is ignored in every name after
// the part that exists as written (an exact match is taken first, then the first name in
// listing order that matches ignoring case). Empty when nothing matches.
std::optional<std::filesystem::path> ResolvePathIgnoringCase(const std::filesystem::path& path);

// The path with every link followed (std::filesystem::canonical); empty when it does not exist.
std::optional<std::filesystem::path> RealPath(const std::filesystem::path& path);

// std::filesystem::canonical of a path written below the folder whose real path is realFolder,
// found by looking only at the names after the folder, one look each, while none of them is a
// link, "." or ".."; otherwise the whole path is resolved. Empty when the path does not exist.
std::optional<std::filesystem::path> RealPathBelow(const std::filesystem::path& path,
                                                   const std::filesystem::path& folder,
                                                   const std::filesystem::path& realFolder);

// Whether the path lies below the folder, compared as written (both absolute and normal).
bool LiesInsideFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

struct DirEntry {
  std::u16string name;
  bool isDirectory = false;
  bool isRegularFile = false;
};

// The entries of a folder in ordinal order of their upper-cased names (then of the names
// themselves), so that results never depend on the order the file system returns them in.
// Empty when the folder cannot be read.
std::vector<DirEntry> ListDirectory(const std::filesystem::path& dir);
// The same, but nothing when the folder cannot be opened or an error cuts the listing short.
std::optional<std::vector<DirEntry>> ReadDirectory(const std::filesystem::path& dir);

bool IsRegularFile(const std::filesystem::path& path);
bool IsDirectory(const std::filesystem::path& path);

}  // namespace kestrova
