// The seal record of a JPEG photo file: a SHA-256 digest over every byte of the file outside the
// record, kept in an APP15 segment that carries our identifier and a version. Shared by the
// tamper-check library, which recomputes the digest, and the signing tool, which writes it.
#pragma once

#include <openssl/evp.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kestrova::seal {

// Segment: FF EF, length (2 bytes, big-endian, counting itself), identifier with its zero
// byte, version byte, then for version 1 the 32-byte SHA-256 digest. Version 1 is the only one:
// a record of any other version cannot be verified and counts as no record.
inline constexpr std::uint8_t kRecordMarker = 0xEF;
inline constexpr std::string_view kIdentifier{"KestrovaSeal\0", 13};
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kDigestSize = 32;

using Digest = std::array<std::uint8_t, kDigestSize>;

// Pieces of a JPEG file in file order; together they are every byte of the file once.
enum class PieceKind {
  Header,  // SOI, or one marker segment before the scan data
  Record,  // a marker segment that carries the seal identifier
  Rest,    // everything from where the marker walk ends (the first SOS) to the end of the file
};

enum class WalkResult { Done, NotJpeg, ReadError };

using PieceVisitor =
    std::function<void(PieceKind kind, std::uint8_t marker, std::string_view bytes)>;

// Reads the open file once, from its current position, in file order. NotJpeg when it does not
// start with SOI (FF D8); ReadError when a read fails.
WalkResult WalkJpeg(int fd, const PieceVisitor& visit);

// The payload of a record segment after the identifier: version, then the version's content.
std::string_view RecordBody(std::string_view segment);

// The whole record segment of version 1 for the digest.
std::string BuildRecord(const Digest& digest);

// SHA-256 over bytes fed in pieces.
class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;
  void Update(std::string_view bytes);
  Digest Final();

 private:
  EVP_MD_CTX* m_context;
};

// Opens a regular file for reading without blocking on a pipe or device; -1 otherwise.
int OpenRegularFile(const char* path);

}  // namespace kestrova::seal
