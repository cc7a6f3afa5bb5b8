// The program folder: where the rule folders, data files and the tamper-check library lie.
#pragma once

#include <string>

namespace kestrova {

// The program folder ending in a separator: the folder that SetProgramFolder named, else the
// folder of the running executable. Empty when neither is known; the programs then stop before
// they read or load anything, since no other folder can stand in for it.
std::u16string ProgramFolder();

// The exit status of both programs when the program folder is not known.
inline constexpr int kExitProgramFolderUnknown = 71;

// Replaces the program folder for the rest of the process (the command line's --program-dir).
void SetProgramFolder(const std::u16string& folder);

}  // namespace kestrova
