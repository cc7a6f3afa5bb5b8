#include "image/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_access.h"

namespace kestrova {
namespace {

constexpr std::size_t kWindowSize = 64 * 1024;

}  // namespace

ImageFile::ImageFile(const std::u16string& path)
    : ImageFile(ResolvePathIgnoringCase(ToFsPath(path)).value_or(std::filesystem::path())) {}

ImageFile::ImageFile(const std::filesystem::path& file) {
  if (file.empty()) {
    return;
  }
  // O_NONBLOCK: opening a named pipe without a writer must not wait for one.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return;
  }
  m_fd = fd;
  m_size = static_cast<std::uint64_t>(info.st_size);
}

ImageFile::~ImageFile() {
  if (m_fd >= 0) {
    ::close(m_fd);
  }
}

bool ImageFile::FillWindow(std::uint64_t position) {
  const std::size_t length =
      static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, m_size - position));
  m_window.resize(length);
  m_windowStart = position;
  std::size_t done = 0;
  while (done < length) {
    const ssize_t got =
        ::pread(m_fd, m_window.data() + done, length - done, static_cast<off_t>(position + done));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      // The file got shorter since it was opened, or the medium cannot be read.
      m_readFailed = true;
      m_window.resize(done);
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool ImageFile::ReadAt(std::uint64_t position, std::size_t n, std::uint8_t* out) {
  if (m_fd < 0 || position > m_size || n > m_size - position) {
    return false;
  }
  if (n == 0) {
    return true;
  }
  while (n > 0) {
    const bool inWindow = position >= m_windowStart && position - m_windowStart < m_window.size();
    if (!inWindow && !FillWindow(position) && m_window.empty()) {
      return false;
    }
    const std::size_t offset = static_cast<std::size_t>(position - m_windowStart);
    if (offset >= m_window.size()) {
      return false;
    }
    const std::size_t take = std::min(n, m_window.size() - offset);
    std::memcpy(out, m_window.data() + offset, take);
    out += take;
    position += take;
    n -= take;
  }
  return true;
}

}  // namespace kestrova
