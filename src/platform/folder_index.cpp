#include "platform/folder_index.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/cached_file.h"
#include "platform/file_access.h"

namespace kestrova {
namespace {

// Longer than the time resolution of any file system that a medium comes on.
constexpr std::int64_t kStampResolutionNs = 2'000'000'000;

struct FolderIndex {
  FileStamp stamp;
  // The folder changed within kStampResolutionNs before it was listed.
  bool recent = false;
  std::unordered_map<std::u16string, std::u16string> names;  // upper-cased name -> name
};

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

FolderIndex MakeIndex(const std::filesystem::path& folder, const FileStamp& stamp) {
  FolderIndex index;
  const std::int64_t listedAt = NowNs();
  index.stamp = stamp;
  index.recent = std::max(stamp.modifiedNs, stamp.changedNs) > listedAt - kStampResolutionNs;
  for (DirEntry& entry : ListDirectory(folder)) {
    index.names.emplace(UpperCaseName(entry.name), std::move(entry.name));
  }
  return index;
}

std::mutex g_mutex;
std::map<std::filesystem::path, FolderIndex> g_indexes;

}  // namespace

std::optional<std::u16string> FindNameIgnoringCase(const std::filesystem::path& folder,
                                                   std::u16string_view name) {
  const std::u16string wanted = UpperCaseName(name);
  const FileStamp stamp = ReadFileStamp(folder);
  const std::lock_guard lock(g_mutex);
  auto it = g_indexes.find(folder);
  bool fresh = it == g_indexes.end() || it->second.stamp != stamp;
  if (fresh) {
    it = g_indexes.insert_or_assign(folder, MakeIndex(folder, stamp)).first;
  }
  for (;;) {
    FolderIndex& index = it->second;
    const auto found = index.names.find(wanted);
    std::error_code error;
    if (found != index.names.end()) {
      if (std::filesystem::exists(folder / ToFsPath(found->second), error)) return found->second;
    } else if (!index.recent) {
      return std::nullopt;
    }
    // The name is gone, or the folder may have changed since it was listed without its stamp
    // showing it: list it again, once.
    if (fresh) return std::nullopt;
    index = MakeIndex(folder, ReadFileStamp(folder));
    fresh = true;
  }
}

void ForgetFolderIndexes() {
  const std::lock_guard lock(g_mutex);
  g_indexes.clear();
}

}  // namespace kestrova
