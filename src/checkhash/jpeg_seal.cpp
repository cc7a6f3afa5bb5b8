#include "checkhash/jpeg_seal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <stdexcept>

namespace kestrova::seal {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

// Reads up to n bytes into the buffer, fewer only at the end of the file; the count, or -1 on a
// read error.
ssize_t ReadInto(int fd, char* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t got = ::read(fd, buffer + done, n - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

// The file read forward through one chunk-sized buffer, so that the many small marker segments
// cost one read between them, not three each.
class FileBytes {
 public:
  explicit FileBytes(int fd)
      : m_fd(fd), m_buffer(std::make_unique_for_overwrite<char[]>(kChunkSize)) {}

  // Appends up to n bytes to out, fewer only at the end of the file. False on a read error.
  bool Append(std::size_t n, std::string& out) {
    while (n > 0) {
      if (m_position == m_end && !Fill()) return false;
      if (m_position == m_end) break;
      const std::size_t take = std::min(n, m_end - m_position);
      out.append(m_buffer.get() + m_position, take);
      m_position += take;
      n -= take;
    }
    return true;
  }

  // Hands every byte not yet taken to the visitor, in pieces of at most one chunk. False on a
  // read error.
  bool VisitRest(const PieceVisitor& visit) {
    for (;;) {
      if (m_position == m_end && !Fill()) return false;
      if (m_position == m_end) return true;
      visit(PieceKind::Rest, 0, std::string_view(m_buffer.get() + m_position, m_end - m_position));
      m_position = m_end;
    }
  }

 private:
  // Reads the next chunk into the buffer, which is never cleared first; an empty buffer at the
  // end of the file. False on a read error.
  bool Fill() {
    const ssize_t got = ReadInto(m_fd, m_buffer.get(), kChunkSize);
    if (got < 0) return false;
    m_position = 0;
    m_end = static_cast<std::size_t>(got);
    return true;
  }

  int m_fd;
  std::unique_ptr<char[]> m_buffer;
  std::size_t m_position = 0;
  std::size_t m_end = 0;
};

bool IsStandaloneMarker(std::uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

bool IsRecordSegment(std::string_view segment) {
  return static_cast<std::uint8_t>(segment[1]) == kRecordMarker &&
         segment.substr(4, kIdentifier.size()) == kIdentifier;
}

}  // namespace

WalkResult WalkJpeg(int fd, const PieceVisitor& visit) {
  FileBytes file(fd);
  std::string bytes;
  if (!file.Append(2, bytes)) return WalkResult::ReadError;
  if (bytes != "\xFF\xD8") return WalkResult::NotJpeg;
  visit(PieceKind::Header, 0xD8, bytes);
  // Marker segments up to the scan data. Whatever does not read as one (a byte other than FF,
  // SOS, EOI, a length below 2, a segment cut by the end of the file) starts the rest.
  for (;;) {
    bytes.clear();
    if (!file.Append(2, bytes)) return WalkResult::ReadError;
    if (bytes.size() < 2 || bytes[0] != '\xFF') break;
    const auto marker = static_cast<std::uint8_t>(bytes[1]);
    if (marker == 0xDA || marker == 0xD9) break;
    if (IsStandaloneMarker(marker)) {
      visit(PieceKind::Header, marker, bytes);
      continue;
    }
    if (!file.Append(2, bytes)) return WalkResult::ReadError;
    if (bytes.size() < 4) break;
    const auto length = static_cast<std::size_t>((static_cast<std::uint8_t>(bytes[2]) << 8) |
                                                 static_cast<std::uint8_t>(bytes[3]));
    if (length < 2) break;
    if (!file.Append(length - 2, bytes)) return WalkResult::ReadError;
    if (bytes.size() < length + 2) break;
    visit(IsRecordSegment(bytes) ? PieceKind::Record : PieceKind::Header, marker, bytes);
  }
  if (!bytes.empty()) visit(PieceKind::Rest, 0, bytes);
  return file.VisitRest(visit) ? WalkResult::Done : WalkResult::ReadError;
}

std::string_view RecordBody(std::string_view segment) {
  return segment.substr(4 + kIdentifier.size());
}

std::string BuildRecord(const Digest& digest) {
  const std::size_t length = 2 + kIdentifier.size() + 1 + digest.size();
  std::string segment = {'\xFF', static_cast<char>(kRecordMarker), static_cast<char>(length >> 8),
                         static_cast<char>(length & 0xFF)};
  segment.append(kIdentifier);
  segment.push_back(static_cast<char>(kVersion));
  segment.append(reinterpret_cast<const char*>(digest.data()), digest.size());
  return segment;
}

Sha256::Sha256() : m_context(EVP_MD_CTX_new()) {
  if (!m_context || EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr) != 1) {
    EVP_MD_CTX_free(m_context);
    throw std::runtime_error("SHA-256 is not available");
  }
}

Sha256::~Sha256() { EVP_MD_CTX_free(m_context); }

void Sha256::Update(std::string_view bytes) {
  EVP_DigestUpdate(m_context, bytes.data(), bytes.size());
}

Digest Sha256::Final() {
  Digest digest{};
  unsigned int size = 0;
  EVP_DigestFinal_ex(m_context, digest.data(), &size);
  return digest;
}

int OpenRegularFile(const char* path) {
  if (!path) return -1;
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace kestrova::seal
