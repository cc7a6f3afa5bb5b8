// Keeping what was made of a file of the installation while the file stays unchanged: a reader
// that runs for every character of every value asks a status call or two of the file system,
// not a read of the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace kestrova {

// What tells a changed file apart: existence, size, modification and status change times.
struct FileStamp {
  bool exists = false;
  std::uintmax_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;  // 0 where the platform has no such time
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a file or folder, from one status call.
FileStamp ReadFileStamp(const std::filesystem::path& path);

// The file that a path names when letter case is ignored, followed across calls. The name is
// resolved again only when the path differs from the last one, or when the folder that decided
// the resolution changed (an entry added, removed or renamed there).
class WatchedFile {
 public:
  struct State {
    std::optional<std::filesystem::path> resolved;  // empty when nothing matches
    FileStamp stamp;                                // of the resolved file
    bool operator==(const State&) const = default;
  };

  // The current state: one status call when the path names the file exactly, two otherwise.
  const State& Refresh(const std::u16string& path);

 private:
  void Resolve(const std::u16string& path);

  bool valid_ = false;
  std::u16string path_;
  bool exact_ = false;  // the path named the file with its own letter case
  std::filesystem::path folder_;
  FileStamp folderStamp_;
  State state_;
};

// The content a reader made of a file, made again only when the file changed. The reader gets
// the resolved path (empty when the file is missing) and returns what callers use.
template <typename Content>
class CachedFileContent {
 public:
  using Reader = Content (*)(const std::optional<std::filesystem::path>& resolved);

  explicit CachedFileContent(Reader reader) : reader_(reader) {}

  // The content for the file as it is now.
  std::shared_ptr<const Content> Get(const std::u16string& path) {
    std::lock_guard lock(mutex_);
    const WatchedFile::State& state = file_.Refresh(path);
    if (!content_ || state != readFrom_) {
      readFrom_ = state;
      content_ = std::make_shared<const Content>(reader_(state.resolved));
    }
    return content_;
  }

 private:
  Reader reader_;
  std::mutex mutex_;
  WatchedFile file_;
  WatchedFile::State readFrom_;
  std::shared_ptr<const Content> content_;
};

}  // namespace kestrova
