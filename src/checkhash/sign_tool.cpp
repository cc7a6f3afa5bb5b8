// kestrova-sign: writes the seal record into a JPEG photo file, replacing any record it already
// holds. The record goes after the application segments that follow SOI.
//
//   kestrova-sign FILE           seal FILE in place
//   kestrova-sign INPUT OUTPUT   write the sealed copy of INPUT to OUTPUT
//
// The result is written to a temporary file beside the target and renamed onto it, so the target
// is never left half written.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "checkhash/jpeg_seal.h"

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitNotJpeg = 65;
constexpr int kExitIoError = 74;

bool IsApplicationSegment(std::uint8_t marker) { return marker >= 0xE0 && marker <= 0xEF; }

// The sealed content of the input; exit code in status when it cannot be made.
std::string SealedContent(int fd, int& status) {
  using namespace kestrova::seal;
  Sha256 hash;
  std::string content;
  std::size_t recordAt = std::string::npos;
  const WalkResult walk =
      WalkJpeg(fd, [&](PieceKind kind, std::uint8_t marker, std::string_view bytes) {
        if (kind == PieceKind::Record) return;  // an earlier seal is replaced
        const bool leading =
            kind == PieceKind::Header && (marker == 0xD8 || IsApplicationSegment(marker));
        if (!leading && recordAt == std::string::npos) recordAt = content.size();
        hash.Update(bytes);
        content.append(bytes);
      });
  status = walk == WalkResult::Done ? 0 : walk == WalkResult::NotJpeg ? kExitNotJpeg : kExitIoError;
  if (recordAt == std::string::npos) recordAt = content.size();
  content.insert(recordAt, BuildRecord(hash.Final()));
  return content;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Writes the bytes to a temporary file beside the target with the given permissions and renames
// it onto the target.
bool ReplaceFile(const std::string& target, const std::string& bytes, mode_t mode) {
  std::string temporary = target + ".sign-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: kestrova-sign FILE | kestrova-sign INPUT OUTPUT\n");
    return kExitUsage;
  }
  const char* input = argv[1];
  const std::string target = argc == 3 ? argv[2] : argv[1];
  const int fd = kestrova::seal::OpenRegularFile(input);
  if (fd < 0) {
    std::fprintf(stderr, "kestrova-sign: cannot read %s\n", input);
    return kExitIoError;
  }
  struct stat info {};
  ::fstat(fd, &info);
  int status = 0;
  std::string content;
  try {
    content = SealedContent(fd, status);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kestrova-sign: %s\n", error.what());
    status = kExitIoError;
  }
  ::close(fd);
  if (status == kExitNotJpeg) {
    std::fprintf(stderr, "kestrova-sign: %s is not a JPEG file\n", input);
    return status;
  }
  if (status != 0) {
    std::fprintf(stderr, "kestrova-sign: cannot read %s\n", input);
    return status;
  }
  if (!ReplaceFile(target, content, info.st_mode & 07777)) {
    std::fprintf(stderr, "kestrova-sign: cannot write %s: %s\n", target.c_str(),
                 std::strerror(errno));
    return kExitIoError;
  }
  return 0;
}
