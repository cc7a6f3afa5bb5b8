// The tamper-check library's one export. It reads the photo file once, streaming, recomputes the
// SHA-256 digest over every byte outside the seal record and compares it with the recorded one.
// It never writes to the file.
#include <openssl/crypto.h>
#include <unistd.h>

#include <cstdint>
#include <optional>

#include "checkhash/jpeg_seal.h"

namespace {

// The verdicts. The checker counts 0, -1 and -2 as altered and every other value as not.
constexpr std::int32_t kIntact = 1;
constexpr std::int32_t kAltered = 0;  // digest differs, or the record is cut short
// No usable seal record before the scan data: none at all, or one of a version this library
// cannot verify (a record it cannot check never passes).
constexpr std::int32_t kNoRecord = -1;
constexpr std::int32_t kUnreadable = -2;  // cannot be opened or read, or not a JPEG file

std::int32_t CheckFile(int fd) {
  using namespace kestrova::seal;
  Sha256 hash;
  std::optional<std::string> record;
  const WalkResult walk = WalkJpeg(fd, [&](PieceKind kind, std::uint8_t, std::string_view bytes) {
    // The first record counts; any later one is hashed like every other byte.
    if (kind == PieceKind::Record && !record) {
      record = std::string(bytes);
    } else {
      hash.Update(bytes);
    }
  });
  if (walk != WalkResult::Done) return kUnreadable;
  if (!record) return kNoRecord;
  const std::string_view body = RecordBody(*record);
  if (body.empty()) return kAltered;
  if (static_cast<std::uint8_t>(body[0]) != kVersion) return kNoRecord;
  const Digest digest = hash.Final();
  if (body.size() != 1 + digest.size()) return kAltered;
  return CRYPTO_memcmp(body.data() + 1, digest.data(), digest.size()) == 0 ? kIntact : kAltered;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t JACIC_CheckHashValue(
    const char* path) {
  const int fd = kestrova::seal::OpenRegularFile(path);
  if (fd < 0) return kUnreadable;
  std::int32_t result = kUnreadable;
  try {
    result = CheckFile(fd);
  } catch (...) {
    result = kUnreadable;
  }
  ::close(fd);
  return result;
}
