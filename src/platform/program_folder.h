// The program folder: where the rule folders, data files and the tamper-check library lie.
#pragma once

#include <string>

namespace kestrova {

// The program folder ending in a separator: the folder of the running executable, unless
// SetProgramFolder named another.
std::u16string ProgramFolder();

// Replaces the program folder for the rest of the process (the command line's --program-dir).
void SetProgramFolder(const std::u16string& folder);

}  // namespace kestrova
