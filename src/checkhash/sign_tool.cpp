// kestrova-sign: writes the seal record into a JPEG photo file, replacing any record it already
// holds. The record goes after the application segments that follow SOI.
//
//   kestrova-sign FILE           seal FILE in place
//   kestrova-sign INPUT OUTPUT   write the sealed copy of INPUT to OUTPUT
//
// The photo is read once and streamed to a temporary file beside the target, which is renamed
// onto it, so the target is never left half written; SIGINT, SIGTERM and SIGHUP remove the
// temporary file. A target that is a symbolic link stays one: the file it names is replaced.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "checkhash/jpeg_seal.h"

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitNotJpeg = 65;
constexpr int kExitIoError = 74;

constexpr char kUsage[] = "usage: kestrova-sign FILE | kestrova-sign INPUT OUTPUT\n";
constexpr char kHelp[] =
    "usage: kestrova-sign FILE\n"
    "       kestrova-sign INPUT OUTPUT\n"
    "\n"
    "Writes a seal record into a JPEG photo file for the tamper-check library: an APP15\n"
    "segment with the identifier KestrovaSeal, record version 1 and the SHA-256 digest of\n"
    "every other byte of the file. A record the photo already holds is replaced.\n"
    "\n"
    "  FILE          seal FILE in place\n"
    "  INPUT OUTPUT  write the sealed copy of INPUT to OUTPUT; INPUT stays as it is\n"
    "  -h, --help    show this text\n"
    "  --            the arguments after it are file names\n"
    "\n"
    "The photo is read once, streaming. The sealed file is written to a temporary file beside\n"
    "the target and renamed onto it, so the target is never left half written; an interrupted\n"
    "run (SIGINT, SIGTERM, SIGHUP) removes the temporary file and leaves the target as it was.\n"
    "A target that is a symbolic link stays a link: the file it names is replaced. The sealed\n"
    "file gets the permissions of INPUT.\n"
    "\n"
    "Exit status: 0 sealed, 64 usage error, 65 INPUT is not a JPEG file, 74 a file could not\n"
    "be read or written.\n";

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file while it exists; the signal handler removes it.
std::atomic<const char*> g_temporary{nullptr};

extern "C" void RemoveTemporaryAndEnd(int signal) {
  if (const char* path = g_temporary.load()) ::unlink(path);
  // The handler was reset to the default: the signal, pending until the handler returns, ends
  // the process as it would have without it.
  ::raise(signal);
}

void InstallCleanupHandlers() {
  struct sigaction action {};
  action.sa_handler = RemoveTemporaryAndEnd;
  action.sa_flags = static_cast<int>(SA_RESETHAND);
  sigemptyset(&action.sa_mask);
  for (const int signal : kCleanupSignals) sigaddset(&action.sa_mask, signal);
  for (const int signal : kCleanupSignals) ::sigaction(signal, &action, nullptr);
}

// Holds back the cleanup signals while the temporary file is created or renamed, so that the
// handler never sees a path that is about to exist or has just been renamed.
class CleanupSignalsHeld {
 public:
  CleanupSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kCleanupSignals) sigaddset(&held, signal);
    ::sigprocmask(SIG_BLOCK, &held, &m_before);
  }
  ~CleanupSignalsHeld() { ::sigprocmask(SIG_SETMASK, &m_before, nullptr); }
  CleanupSignalsHeld(const CleanupSignalsHeld&) = delete;
  CleanupSignalsHeld& operator=(const CleanupSignalsHeld&) = delete;

 private:
  sigset_t m_before;
};

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

bool WriteAllAt(int fd, std::string_view bytes, off_t position) {
  return ::lseek(fd, position, SEEK_SET) == position && WriteAll(fd, bytes);
}

bool IsApplicationSegment(std::uint8_t marker) { return marker >= 0xE0 && marker <= 0xEF; }

enum class SealResult { Sealed, NotJpeg, ReadFailed, WriteFailed };

// Streams the sealed copy of the JPEG file open as in into out: each piece goes out as the walk
// delivers it, with a record of the right size where the seal goes, into which the digest is
// written once every byte has been hashed. An earlier record of the input is left out.
SealResult WriteSealed(int in, int out) {
  using namespace kestrova::seal;
  Sha256 hash;
  bool written = true;
  off_t position = 0;
  std::optional<off_t> recordAt;
  const auto put = [&](std::string_view bytes) {
    written = written && WriteAll(out, bytes);
    position += static_cast<off_t>(bytes.size());
  };
  const auto placeRecord = [&] {
    recordAt = position;
    put(BuildRecord(Digest{}));
  };
  const WalkResult walk =
      WalkJpeg(in, [&](PieceKind kind, std::uint8_t marker, std::string_view bytes) {
        if (kind == PieceKind::Record) return;
        const bool leading =
            kind == PieceKind::Header && (marker == 0xD8 || IsApplicationSegment(marker));
        if (!leading && !recordAt) placeRecord();
        hash.Update(bytes);
        put(bytes);
      });
  if (walk == WalkResult::NotJpeg) return SealResult::NotJpeg;
  if (walk == WalkResult::ReadError) return SealResult::ReadFailed;
  if (!recordAt) placeRecord();
  if (!written || !WriteAllAt(out, BuildRecord(hash.Final()), *recordAt)) {
    return SealResult::WriteFailed;
  }
  return SealResult::Sealed;
}

// The file to replace: the target, or the file that its symbolic links name. Empty, with the
// reason in problem, when no file can be written there: a link that names nothing, or
// something other than a regular file (a folder, a device, a pipe).
std::optional<std::string> FileToReplace(const std::string& target, std::string& problem) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) return target;
    problem = std::strerror(errno);
    return std::nullopt;
  }
  std::string file = target;
  if (S_ISLNK(info.st_mode)) {
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (!resolved || ::stat(resolved, &info) != 0) {
      problem = std::string("a link to nothing: ") + std::strerror(errno);
      std::free(resolved);
      return std::nullopt;
    }
    file = resolved;
    std::free(resolved);
  }
  if (!S_ISREG(info.st_mode)) {
    problem = "not a regular file";
    return std::nullopt;
  }
  return file;
}

// Removes the temporary file unless it was renamed onto the target.
class TemporaryFile {
 public:
  // Created exclusively, with a short name, in the folder of the file it is to replace.
  explicit TemporaryFile(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    m_path = (folder.empty() ? std::filesystem::path(".") : folder) / ".kestrova-sign-XXXXXX";
    CleanupSignalsHeld held;
    m_fd = ::mkstemp(m_path.data());
    if (m_fd >= 0) g_temporary.store(m_path.c_str());
  }
  ~TemporaryFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (g_temporary.load()) {
      CleanupSignalsHeld held;
      ::unlink(m_path.c_str());
      g_temporary.store(nullptr);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return m_fd; }

  // Gives the file the permissions, flushes it to the disk and renames it onto the target.
  bool Replace(const std::string& file, mode_t mode) {
    const bool flushed = ::fchmod(m_fd, mode) == 0 && ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!flushed || !closed) return false;
    CleanupSignalsHeld held;
    if (::rename(m_path.c_str(), file.c_str()) != 0) return false;
    g_temporary.store(nullptr);
    return true;
  }

 private:
  std::string m_path;
  int m_fd = -1;
};

struct Arguments {
  bool help = false;
  std::vector<std::string> files;
};

// Empty for a usage error: an unknown option, or not one or two file names.
std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "-h" || arg == "--help")) {
      arguments.help = true;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else {
      arguments.files.push_back(arg);
    }
  }
  if (arguments.help) return arguments;
  if (arguments.files.empty() || arguments.files.size() > 2) return std::nullopt;
  return arguments;
}

int Seal(const std::string& input, const std::string& target) {
  std::string problem;
  const std::optional<std::string> file = FileToReplace(target, problem);
  if (!file) {
    std::fprintf(stderr, "kestrova-sign: cannot write %s: %s\n", target.c_str(), problem.c_str());
    return kExitIoError;
  }
  const int in = kestrova::seal::OpenRegularFile(input.c_str());
  if (in < 0) {
    std::fprintf(stderr, "kestrova-sign: cannot read %s\n", input.c_str());
    return kExitIoError;
  }
  struct stat info {};
  ::fstat(in, &info);
  TemporaryFile temporary(*file);
  SealResult result = SealResult::WriteFailed;
  if (temporary.fd() >= 0) {
    try {
      result = WriteSealed(in, temporary.fd());
    } catch (const std::exception& error) {
      std::fprintf(stderr, "kestrova-sign: %s\n", error.what());
      result = SealResult::ReadFailed;
    }
  }
  ::close(in);
  switch (result) {
    case SealResult::NotJpeg:
      std::fprintf(stderr, "kestrova-sign: %s is not a JPEG file\n", input.c_str());
      return kExitNotJpeg;
    case SealResult::ReadFailed:
      std::fprintf(stderr, "kestrova-sign: cannot read %s\n", input.c_str());
      return kExitIoError;
    case SealResult::WriteFailed:
      break;
    case SealResult::Sealed:
      if (temporary.Replace(*file, info.st_mode & 07777)) return 0;
      break;
  }
  std::fprintf(stderr, "kestrova-sign: cannot write %s: %s\n", target.c_str(),
               std::strerror(errno));
  return kExitIoError;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  if (arguments->help) {
    std::fputs(kHelp, stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitIoError;
  }
  InstallCleanupHandlers();
  const std::vector<std::string>& files = arguments->files;
  return Seal(files.front(), files.back());
}
