#include "support/test_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <stdexcept>
#include <thread>

#include "platform/text_encoding.h"
#include "platform/utf16_text_file.h"

namespace kestrova::test {

ScratchDir::ScratchDir() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    m_path = base / ("kestrova試験_" + std::to_string(random()));
    if (std::filesystem::create_directory(m_path)) break;
  }
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable so that they can be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(m_path, ignored);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteUtf16File(const std::filesystem::path& path, std::string_view utf8) {
  std::string bytes = "\xFF\xFE";
  const std::u16string text = Utf8ToUtf16(utf8);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
      bytes += std::string("\r\0", 2);
    }
    bytes.push_back(static_cast<char>(text[i] & 0xFF));
    bytes.push_back(static_cast<char>(text[i] >> 8));
  }
  WriteBytes(path, bytes);
}

std::string ReadUtf16FileAsUtf8(const std::filesystem::path& path) {
  return Utf16ToUtf8(DropCarriageReturns(ReadUtf16TextFile(path).value_or(u"")));
}

std::filesystem::path InstalledFile(const std::string& folder, const char* file) {
  return std::filesystem::path(KESTROVA_TEST_PROGRAM_DIR) / folder / file;
}

size_t LineCount(const std::filesystem::path& path) {
  const auto text = ReadUtf16TextFile(path);
  if (!text || text->empty()) return 0;
  return static_cast<size_t>(std::count(text->begin(), text->end(), u'\n')) +
         (text->back() == u'\n' ? 0 : 1);
}

size_t TextLines(const std::filesystem::path& path) {
  const std::string text = ReadBytes(path);
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::filesystem::path TestCheckHashLibrary(const std::string& name) {
  return std::filesystem::path(KESTROVA_TEST_PROGRAM_DIR).parent_path() / "testlibs" / name /
         "libJACIC_CheckHash.so";
}

std::filesystem::path CopyProgramFolder(const std::filesystem::path& target) {
  std::filesystem::create_directories(target);
  for (const char* folder : {"PHOT_KQ4", "PHOT_KQ1"}) {
    const auto source = std::filesystem::path(KESTROVA_TEST_PROGRAM_DIR) / folder;
    if (std::filesystem::exists(source)) {
      std::filesystem::copy(source, target / folder, std::filesystem::copy_options::recursive);
    }
  }
  return target;
}

CheckerProcess::CheckerProcess(const std::vector<std::string>& args,
                               const std::function<void()>& inChild, const std::string& program) {
  const auto outPath = m_scratch.path() / "out";
  const auto errPath = m_scratch.path() / "err";
  m_pid = ::fork();
  if (m_pid == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = ::open("/dev/null", O_RDONLY);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::dup2(in, 0);
    for (const int fd : {out, err, in}) ::close(fd);
    if (inChild) inChild();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
}

CheckerProcess::~CheckerProcess() {
  if (m_pid > 0) {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
  }
}

CommandResult CheckerProcess::Wait() {
  int status = 0;
  rusage usage{};
  ::wait4(m_pid, &status, 0, &usage);
  return Collect(status, usage);
}

std::optional<CommandResult> CheckerProcess::WaitFor(std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  int status = 0;
  rusage usage{};
  while (::wait4(m_pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() >= end) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return Collect(status, usage);
}

CommandResult CheckerProcess::Collect(int status, const rusage& usage) {
  m_pid = -1;
  CommandResult result;
  result.peakMemoryKiB = usage.ru_maxrss;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadBytes(m_scratch.path() / "out");
  result.err = ReadBytes(m_scratch.path() / "err");
  return result;
}

CommandResult RunChecker(const std::vector<std::string>& args,
                         const std::function<void()>& inChild) {
  return CheckerProcess(args, inChild).Wait();
}

int ProgramInMemory(const std::filesystem::path& program) {
  const int memory = ::memfd_create("kestrova-program", MFD_CLOEXEC);
  const std::string bytes = ReadBytes(program);
  if (memory < 0 || bytes.empty() ||
      ::write(memory, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    throw std::runtime_error("cannot copy " + program.string() + " into memory");
  }
  return memory;
}

void ExecFromMemory(int programInMemory, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::fexecve(programInMemory, argv.data(), environ);
}

CommandResult RunCheckerOnTerminal(const std::vector<std::string>& args) {
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) {
    throw std::runtime_error("no terminal for the test");
  }
  const int tty = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
  // Raw, so that the bytes arrive as written (no LF to CR LF).
  termios mode{};
  ::tcgetattr(tty, &mode);
  ::cfmakeraw(&mode);
  ::tcsetattr(tty, TCSANOW, &mode);
  CheckerProcess checker(args, [&] {
    ::dup2(tty, 1);
    ::close(tty);
    ::close(terminal);
  });
  ::close(tty);
  std::string received;
  char buffer[4096];
  // Reading ends when the checker has closed the terminal.
  for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) != 0;) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    received.append(buffer, static_cast<size_t>(got));
  }
  ::close(terminal);
  CommandResult result = checker.Wait();
  result.out = std::move(received);
  return result;
}

std::string MaskTimes(std::string log) {
  static const std::regex time(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2})");
  return std::regex_replace(log, time, "<time>");
}

}  // namespace kestrova::test
