#include "check/result_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace kestrova {
namespace {

namespace fs = std::filesystem;

void AppendUnit(std::string& bytes, char16_t unit) {
  bytes.push_back(static_cast<char>(unit & 0xFF));
  bytes.push_back(static_cast<char>(unit >> 8));
}

// Writes every byte, going on after an interrupted call; false on any failure.
bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// A device, a pipe or any other file that is not a regular one cannot be replaced: the bytes go
// into it as they are.
bool WriteInto(const fs::path& path, std::string_view bytes) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  const bool written = WriteAll(descriptor, bytes);
  return ::close(descriptor) == 0 && written;
}

// Creates a new file with a short random name in the folder, never opening one that exists (a
// planted file or link stays untouched). The descriptor, or -1.
int CreateTemporaryFile(const fs::path& folder, fs::path& temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (".kestrova-" + std::to_string(random() % 100000000));
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) {
      return descriptor;
    }
  }
  return -1;
}

// Writes the file under a temporary name beside it and renames that into place, so that a failed
// write never leaves a half-written file. A replaced file keeps its permissions.
bool ReplaceFile(const fs::path& path, std::string_view bytes, const struct stat* existing) {
  fs::path temporary;
  const int descriptor = CreateTemporaryFile(path.parent_path(), temporary);
  if (descriptor < 0) {
    return false;
  }
  bool written = (existing == nullptr || ::fchmod(descriptor, existing->st_mode & 07777) == 0) &&
                 WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
  written = ::close(descriptor) == 0 && written;
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string ResultFileBytes(std::u16string_view logText) {
  std::string bytes;
  bytes.reserve(2 + logText.size() * 2 + 64);
  AppendUnit(bytes, 0xFEFF);
  for (const char16_t unit : logText) {
    if (unit == u'\n') {
      AppendUnit(bytes, u'\r');
    }
    AppendUnit(bytes, unit);
  }
  return bytes;
}

fs::path ResultFileTarget(const fs::path& path) {
  fs::path target = path;
  std::error_code error;
  // As many links as the system itself follows in one path.
  for (int links = 0; links < 40 && fs::is_symlink(target, error); ++links) {
    const fs::path next = fs::read_symlink(target, error);
    if (error) {
      break;
    }
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

bool WriteResultFile(const fs::path& path, std::u16string_view logText) {
  return WriteOutputFile(path, ResultFileBytes(logText));
}

bool WriteOutputFile(const fs::path& path, std::string_view bytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    return WriteInto(path, bytes);
  }
  const fs::path target = ResultFileTarget(path);
  if (::stat(target.c_str(), &info) == 0) {
    return ReplaceFile(target, bytes, &info);
  }
  return errno == ENOENT && ReplaceFile(target, bytes, nullptr);
}

}  // namespace kestrova
