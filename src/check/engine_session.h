// What both front ends set up around their runs: the program folder, the tamper-check library
// for as long as the program runs, and the medium a run is aimed at.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "check/check_run.h"

namespace kestrova {

// A medium to check, as the user named it.
struct CheckTarget {
  std::u16string text;         // shown in the path field and the log header
  std::u16string mediumPath;   // the medium's root, ending in a separator
  std::uint8_t mediaMode = 1;  // 0: a drive whose medium is exchanged, 1: folders of media images
};

// A drive's mount point; the next media are asked for by exchanging the medium.
CheckTarget DriveTarget(const std::u16string& mountPoint);
// A folder holding a medium image; the next media are asked for as folders.
CheckTarget FolderTarget(const std::u16string& folder);

// Points the run at the target: its medium path and target text, and the run's media mode.
void Aim(CheckRun& run, const CheckTarget& target);

// Holds the tamper-check library loaded from the program folder while it lives.
class EngineSession {
 public:
  // Makes the named folder the program folder, if one is named. False when the program folder
  // is not known: then nothing may be loaded or read, and the front end stops.
  [[nodiscard]] static bool UseProgramFolder(const std::optional<std::u16string>& folder);

  // Loads the library; a missing library is reported by the check that needs it.
  EngineSession();
  ~EngineSession();
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;
};

}  // namespace kestrova
