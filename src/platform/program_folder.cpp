#include "platform/program_folder.h"

#include <filesystem>
#include <mutex>

#include "platform/file_access.h"

namespace kestrova {
namespace {

std::mutex g_programFolderMutex;
std::u16string g_programFolderOverride;

std::u16string ExecutableFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return FromFsPath(std::filesystem::current_path(error));
  }
  return FromFsPath(exe.parent_path());
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
  static const std::u16string executableFolder = WithSeparator(ExecutableFolder());
  return executableFolder;
}

void SetProgramFolder(const std::u16string& folder) {
  std::lock_guard lock(g_programFolderMutex);
  g_programFolderOverride = WithSeparator(folder);
}

}  // namespace kestrova
