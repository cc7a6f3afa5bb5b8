// Files and folders for tests: a scratch folder with a Japanese name, UTF-16 files, running the
// command-line checker.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::test {

// A fresh folder below the system's temporary folder, removed when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);
// Writes UTF-8 text as a UTF-16LE file with byte order mark and CR LF line ends.
void WriteUtf16File(const std::filesystem::path& path, std::string_view utf8);

// The text of a UTF-16LE file with byte order mark as UTF-8, CR LF as LF.
std::string ReadUtf16FileAsUtf8(const std::filesystem::path& path);

// A file of the built installation data: program folder / rule folder / file.
std::filesystem::path InstalledFile(const std::string& folder, const char* file);

// Lines of a UTF-16 rule file as the rule table reader delivers them.
size_t LineCount(const std::filesystem::path& path);

// Lines of a text file (line feeds); 0 when it does not exist.
size_t TextLines(const std::filesystem::path& path);

// A stand-in tamper-check library that the build puts into testlibs/<name>/.
std::filesystem::path TestCheckHashLibrary(const std::string& name);

// A program folder for tests: a copy of the built installation data that a test may change.
std::filesystem::path CopyProgramFolder(const std::filesystem::path& target);

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
  long peakMemoryKiB = 0;  // the process's maximum resident set size
};

// A kestrova-check process (or one of another program) started with the arguments; its output
// goes to files of its own. The destructor kills it and waits for it when Wait() was not called.
class CheckerProcess {
 public:
  // inChild runs in the new process just before the program starts (limits, privileges).
  explicit CheckerProcess(const std::vector<std::string>& args,
                          const std::function<void()>& inChild = {},
                          const std::string& program = KESTROVA_TEST_CHECK_EXE);
  ~CheckerProcess();
  CheckerProcess(const CheckerProcess&) = delete;
  CheckerProcess& operator=(const CheckerProcess&) = delete;

  pid_t pid() const { return m_pid; }
  // Waits for the end and collects the exit status and the output.
  CommandResult Wait();
  // The same, unless the process is still running after the limit.
  std::optional<CommandResult> WaitFor(std::chrono::milliseconds limit);

 private:
  CommandResult Collect(int status, const rusage& usage);

  ScratchDir m_scratch;
  pid_t m_pid = -1;
};

// Runs kestrova-check with the arguments and collects its output.
CommandResult RunChecker(const std::vector<std::string>& args,
                         const std::function<void()>& inChild = {});

// A copy of the program in an anonymous memory file, for ExecFromMemory: a program run from it
// has no path in any folder. The descriptor; closed when the process ends.
int ProgramInMemory(const std::filesystem::path& program);

// In a child process: replaces it with the program of ProgramInMemory, run with the arguments
// (the program's name first). Returns only when that fails.
void ExecFromMemory(int programInMemory, const std::vector<std::string>& args);

// Runs kestrova-check with the arguments and standard output on a terminal of its own; out holds
// what the terminal received.
CommandResult RunCheckerOnTerminal(const std::vector<std::string>& args);

// The log with every "YYYY/MM/DD hh:mm:ss" replaced by "<time>".
std::string MaskTimes(std::string log);

}  // namespace kestrova::test
