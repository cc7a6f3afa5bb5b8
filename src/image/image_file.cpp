#include "image/image_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_access.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

constexpr std::size_t kWindowSize = 64 * 1024;

// Whether the first page of the file is in the file cache. The page is mapped but never touched,
// so neither is any reading started nor can a file cut meanwhile fault; the system only says
// whether the page is resident. False where it does not say (for a file this user could not
// write, on some systems) and for anything but a file. A file read before is cached as a rule.
bool FirstPageIsCached(int fd) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  void* map = ::mmap(nullptr, page, PROT_READ, MAP_SHARED, fd, 0);
  if (map == MAP_FAILED) return false;
  unsigned char resident = 0;
  const bool cached = ::mincore(map, page, &resident) == 0 && (resident & 1) != 0;
  ::munmap(map, page);
  return cached;
}

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
  if (m_fd < 0 || m_cancelled || position > m_size || n > m_size - position) {
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

std::uint64_t ImageFile::FindNonZero(std::uint64_t position) {
  while (position < m_size && !PollCancel()) {
    // A hole reads as zeros: go on where data starts again, or stop at the end of the file.
    const off_t data = ::lseek(m_fd, static_cast<off_t>(position), SEEK_DATA);
    if (data < 0 && errno == ENXIO) {
      return m_size;
    }
    if (data > static_cast<off_t>(position)) {
      position = std::min<std::uint64_t>(static_cast<std::uint64_t>(data), m_size);
      continue;
    }
    const bool inWindow = position >= m_windowStart && position - m_windowStart < m_window.size();
    if (!inWindow && !FillWindow(position) && m_window.empty()) {
      return m_size;
    }
    const auto begin = m_window.begin() + static_cast<std::ptrdiff_t>(position - m_windowStart);
    const auto found = std::find_if(begin, m_window.end(), [](std::uint8_t b) { return b != 0; });
    position = m_windowStart + static_cast<std::uint64_t>(found - m_window.begin());
    if (found != m_window.end()) {
      return position;
    }
  }
  return std::min(position, m_size);
}

void ReadAhead(const std::filesystem::path& file, std::uint64_t length) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  // For a whole photo the look costs less than the walk over its cached pages; for a head of a
  // few pages it costs more.
  if (length != 0 || !FirstPageIsCached(fd)) {
    ::posix_fadvise(fd, 0, static_cast<off_t>(length), POSIX_FADV_WILLNEED);
  }
  ::close(fd);
}

bool ImageFile::PollCancel() {
  if (g_bCancel.load(std::memory_order_relaxed) != 0) {
    m_cancelled = true;
  }
  return m_cancelled;
}

}  // namespace kestrova
