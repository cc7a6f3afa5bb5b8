// Loading a shared library at run time and looking up its exports.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

using SharedLibraryHandle = void*;

// The platform's file name of a library with the base name: "lib<base>.so" here,
// "lib<base>.dylib" on macOS, "<base>.dll" on Windows.
std::u16string SharedLibraryFileName(std::u16string_view baseName);

// Loads the library that the path names; a bare file name is looked up in the system's search
// order. Null when it cannot be loaded.
SharedLibraryHandle LoadSharedLibrary(const std::u16string& pathOrName);

// The address of the export; null when the library has no such export.
void* FindSharedLibrarySymbol(SharedLibraryHandle library, const char* name);

void FreeSharedLibrary(SharedLibraryHandle library);

}  // namespace kestrova
