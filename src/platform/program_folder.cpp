#include "platform/program_folder.h"

#include <filesystem>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <vector>
#endif

#include "platform/file_access.h"

namespace kestrova {
namespace {

std::mutex g_programFolderMutex;
std::u16string g_programFolderOverride;

// The path the system gives for the running executable; empty when it gives none.
std::filesystem::path ExecutablePath() {
#if defined(_WIN32)
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
#elif defined(__APPLE__)
  uint32_t size = 0;
  ::_NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1, '\0');
  if (::_NSGetExecutablePath(buffer.data(), &size) != 0) {
    return {};
  }
  return std::filesystem::path(buffer.data());
#else
  return "/proc/self/exe";
#endif
}

// The folder of the executable's real path (links followed), so that a program started through
// a link finds the folder it was installed in. Empty when the executable cannot be found: a
// program without /proc, or one run from a file that no longer has a path.
std::u16string ExecutableFolder() {
  const std::filesystem::path path = ExecutablePath();
  if (path.empty()) {
    return {};
  }
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(path, error);
  if (error || !std::filesystem::is_regular_file(real, error)) {
    return {};
  }
  return FromFsPath(real.parent_path());
}

std::u16string WithSeparator(std::u16string folder) {
  if (folder.empty() || folder.back() != kPathSeparator) {
    folder.push_back(kPathSeparator);
  }
  return folder;
}

}  // namespace

std::u16string ProgramFolder() {
  std::lock_guard lock(g_programFolderMutex);
  if (!g_programFolderOverride.empty()) {
    return g_programFolderOverride;
  }
  static const std::u16string executableFolder = [] {
    const std::u16string folder = ExecutableFolder();
    return folder.empty() ? folder : WithSeparator(folder);
  }();
  return executableFolder;
}

void SetProgramFolder(const std::u16string& folder) {
  std::lock_guard lock(g_programFolderMutex);
  g_programFolderOverride = WithSeparator(folder);
}

}  // namespace kestrova
