#include "image/check_hash_module.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/program_folder.h"

namespace kestrova {
namespace {

std::atomic<int> g_callsInFlight{0};

}  // namespace

SharedLibraryHandle g_hCheckHash = nullptr;
CheckHashValueFunction g_pfnCheckHashValue = nullptr;

bool LoadCheckHashModule() {
  FreeCheckHashModule();
  const std::u16string fileName = SharedLibraryFileName(kCheckHashLibraryBaseName);
  SharedLibraryHandle library = LoadSharedLibrary(ProgramFolder() + fileName);
  if (!library) {
    library = LoadSharedLibrary(fileName);
  }
  void* function = FindSharedLibrarySymbol(library, kCheckHashValueExport);
  if (!function) {
    FreeSharedLibrary(library);
    return false;
  }
  g_hCheckHash = library;
  g_pfnCheckHashValue = reinterpret_cast<CheckHashValueFunction>(function);
  return true;
}

void FreeCheckHashModule() {
  if (g_callsInFlight.load() == 0) FreeSharedLibrary(g_hCheckHash);
  g_hCheckHash = nullptr;
  g_pfnCheckHashValue = nullptr;
}

std::int32_t CallCheckHashValue(CheckHashValueFunction function,
                                const std::filesystem::path& photo) {
  ++g_callsInFlight;
  const std::int32_t verdict = function(photo.c_str());
  --g_callsInFlight;
  return verdict;
}

int CheckHashCallsInFlight() { return g_callsInFlight.load(); }

void EndProcessIfCheckHashCallsInFlight(int status) {
  if (CheckHashCallsInFlight() == 0) return;
  std::fflush(nullptr);
  std::_Exit(status);
}

bool CountsAsAltered(std::int32_t verdict) {
  return verdict == 0 || verdict == -1 || verdict == -2;
}

}  // namespace kestrova
