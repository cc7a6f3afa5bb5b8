#include "platform/cached_file.h"

#include "platform/file_access.h"

#include <atomic>
#include <chrono>

#if defined(_WIN32)
#include <chrono>
#else
#include <sys/stat.h>
#endif

namespace kestrova {
namespace {

#if !defined(_WIN32)
std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}
#endif

// The deepest folder of the path that exists: where the missing rest would appear.
std::filesystem::path DeepestExistingFolder(std::filesystem::path path) {
  while (path.has_relative_path()) {
    path = path.parent_path();
    if (IsDirectory(path)) {
      return path;
    }
  }
  return path;
}

}  // namespace

FileStamp ReadFileStamp(const std::filesystem::path& path) {
  FileStamp stamp;
#if defined(_WIN32)
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    return stamp;
  }
  stamp.exists = true;
  if (std::filesystem::is_regular_file(status)) {
    stamp.size = std::filesystem::file_size(path, error);
  }
  stamp.modifiedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::filesystem::last_write_time(path, error).time_since_epoch())
                         .count();
#else
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) {
    return stamp;
  }
  stamp.exists = true;
  stamp.size = static_cast<std::uintmax_t>(status.st_size);
#if defined(__APPLE__)
  stamp.modifiedNs = Nanoseconds(status.st_mtimespec);
  stamp.changedNs = Nanoseconds(status.st_ctimespec);
#else
  stamp.modifiedNs = Nanoseconds(status.st_mtim);
  stamp.changedNs = Nanoseconds(status.st_ctim);
#endif
#endif
  return stamp;
}

namespace {

std::atomic<unsigned> g_fileCheckGeneration{0};

}  // namespace

void ForgetFileStamps() { ++g_fileCheckGeneration; }

const WatchedFile::State& WatchedFile::Refresh(const std::u16string& path) {
  const auto now = std::chrono::steady_clock::now();
  const unsigned generation = g_fileCheckGeneration.load();
  if (valid_ && path == path_ && generation == checkedGeneration_ &&
      now - checkedAt_ < kRecheckInterval) {
    return state_;
  }
  checkedAt_ = now;
  checkedGeneration_ = generation;
  if (!valid_ || path != path_) {
    Resolve(path);
  } else if (state_.resolved) {
    state_.stamp = ReadFileStamp(*state_.resolved);
    if (!state_.stamp.exists) {
      Resolve(path);
    }
  } else if (ReadFileStamp(folder_) != folderStamp_) {
    Resolve(path);
  }
  return state_;
}

void WatchedFile::Resolve(const std::u16string& path) {
  const std::filesystem::path wanted = ToFsPath(path);
  valid_ = true;
  path_ = path;
  state_.resolved = ResolvePathIgnoringCase(wanted);
  state_.stamp = state_.resolved ? ReadFileStamp(*state_.resolved) : FileStamp{};
  if (!state_.resolved) {
    folder_ = DeepestExistingFolder(wanted);
    folderStamp_ = ReadFileStamp(folder_);
  }
}

}  // namespace kestrova
