// Keeping what was made of a file of the installation while the file stays unchanged: a reader
// that runs for every character of every value asks one status call of the file system, not a
// read of the file. A change is seen by the file's size and times; the times have the file
// system clock's resolution.
#pragma once

#include <chrono>
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

// Makes every followed file be checked again at its next use. A check run calls it at its start,
// so that each run sees the installation files as they are then.
void ForgetFileStamps();

// The file that a path names when letter case is ignored, followed across calls with one status
// call each; between two uses less than kRecheckInterval apart it is taken as unchanged, so that
// a reader used for every value of thousands of photo entries costs no status call per value. The
// name is resolved again when the path differs from the last one, when the resolved file is gone,
// or, while nothing matches, when the deepest existing folder of the path changed (an entry added,
// removed or renamed there). A file that comes to match the path better while the resolved one
// stays (the exact name beside another letter case) is not looked for.
class WatchedFile {
 public:
  struct State {
    std::optional<std::filesystem::path> resolved;  // empty when nothing matches
    FileStamp stamp;                                // of the resolved file
    bool operator==(const State&) const = default;
  };

  static constexpr std::chrono::milliseconds kRecheckInterval{100};

  // The current state.
  const State& Refresh(const std::u16string& path);

 private:
  void Resolve(const std::u16string& path);

  bool valid_ = false;
  std::chrono::steady_clock::time_point checkedAt_;
  unsigned checkedGeneration_ = 0;
  std::u16string path_;
  std::filesystem::path folder_;  // where the missing file would appear
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
