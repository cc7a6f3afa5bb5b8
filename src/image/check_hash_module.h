// The tamper-check library: loaded once at start-up, asked by the photo file checks whether a
// photo was altered after it was taken.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/shared_library.h"

namespace kestrova {

// JACIC_CheckHashValue: the photo file's path in the platform's path encoding in, the verdict
// out; 0, -1 and -2 mean that the file counts as altered.
using CheckHashValueFunction = std::int32_t (*)(const char* path);

inline constexpr char16_t kCheckHashLibraryBaseName[] = u"JACIC_CheckHash";
inline constexpr char kCheckHashValueExport[] = "JACIC_CheckHashValue";

// The verdicts under which a photo counts as altered: altered, no record, not readable as a JPEG
// file.
bool CountsAsAltered(std::int32_t verdict);

// Null when the library is not loaded.
extern SharedLibraryHandle g_hCheckHash;
extern CheckHashValueFunction g_pfnCheckHashValue;

// Loads the library from the program folder, or else by name in the system's search order, and
// looks up its export. A missing library or export leaves both values null (no message: the
// check sequence reports it when a medium needs the library). True when loaded.
bool LoadCheckHashModule();

// Frees the library if it is loaded and clears both values. While a call is still under way
// (left to finish on its own thread after a cancel) the library stays mapped.
void FreeCheckHashModule();

// Asks the library's function (g_pfnCheckHashValue, taken while the library is loaded) about the
// photo, counting the call while it is under way; several threads may call it at once.
std::int32_t CallCheckHashValue(CheckHashValueFunction function,
                                const std::filesystem::path& photo);

// The number of calls of the library under way.
int CheckHashCallsInFlight();

// When a call is still under way (a cancelled run left it to finish on its own thread), ends the
// process at once with the status, after flushing the standard streams: the exit handlers would
// tear down what that call still uses. Returns otherwise.
void EndProcessIfCheckHashCallsInFlight(int status);

}  // namespace kestrova
