#include "image/check_hash_module.h"

#include "platform/program_folder.h"

namespace kestrova {

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
  FreeSharedLibrary(g_hCheckHash);
  g_hCheckHash = nullptr;
  g_pfnCheckHashValue = nullptr;
}

}  // namespace kestrova
