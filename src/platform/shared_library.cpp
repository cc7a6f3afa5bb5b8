#include "platform/shared_library.h"

#include <dlfcn.h>

#include "platform/text_encoding.h"

namespace kestrova {

std::u16string SharedLibraryFileName(std::u16string_view baseName) {
#if defined(_WIN32)
  return std::u16string(baseName) + u".dll";
#elif defined(__APPLE__)
  return u"lib" + std::u16string(baseName) + u".dylib";
#else
  return u"lib" + std::u16string(baseName) + u".so";
#endif
}

SharedLibraryHandle LoadSharedLibrary(const std::u16string& pathOrName) {
  return ::dlopen(Utf16ToUtf8(pathOrName).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindSharedLibrarySymbol(SharedLibraryHandle library, const char* name) {
  return library ? ::dlsym(library, name) : nullptr;
}

void FreeSharedLibrary(SharedLibraryHandle library) {
  if (library) {
    ::dlclose(library);
  }
}

}  // namespace kestrova
